#include <gtest/gtest.h>

#include <string>

#include "../store/store_fixture.h"
#include "views/person_list.h"

namespace korvane {
namespace {

using store_test::NewPerson;

constexpr int kComma = 188;

// Sorted by surname (one click, Z to A) the rows are:
//   0 Zimmer Paul, 1 Meise Otto, 2 Meier Karl, 3 Meier Hans, 4 Meier Berta,
//   5 Meier Anna, 6 Bauer Anna, 7 Adler Max
class TypeToFindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewPerson(store, "Hans", "Meier", 'M');
    NewPerson(store, "Anna", "Bauer", 'F');
    NewPerson(store, "Paul", "Zimmer", 'M');
    NewPerson(store, "Berta", "Meier", 'F');
    NewPerson(store, "Max", "Adler", 'M');
    NewPerson(store, "Karl", "Meier", 'M');
    NewPerson(store, "Otto", "Meise", 'M');
    NewPerson(store, "Anna", "Meier", 'F');
    list.Build(false);
    list.HeaderClicked(1);
  }

  // Types the keys at one moment, each from the row the previous one selected.
  int Type(const std::string& keys, int row, std::int64_t now = 1000) {
    for (const char key : keys) {
      const int code = key == ',' ? kComma : static_cast<unsigned char>(key);
      const std::optional<int> selected = list.KeyTyped(code, row, now);
      EXPECT_TRUE(selected.has_value()) << key;
      row = selected.value_or(row);
    }
    return row;
  }

  std::string Name(int row) const { return list.CellText(row, 1) + " " + list.CellText(row, 2); }

  Store store;
  PersonList list{store};
};

TEST_F(TypeToFindTest, SurnameThenGivenNameAfterTheCommaWithWrapAround) {
  EXPECT_EQ(Name(Type("MEI", 6)), "Meier Anna");  // upwards is increasing surname order
  EXPECT_EQ(Name(Type("MEI,H", 6, 2000)), "Meier Hans");
  // From the top row the search wraps around to the bottom and climbs from there.
  EXPECT_EQ(Name(Type("MEI,H", 0, 3000)), "Meier Hans");
  // Blanks are ignored among given names; a given name already past the typed one stays.
  EXPECT_EQ(Name(Type("MEI, B", 6, 4000)), "Meier Berta");
  EXPECT_EQ(Name(Type("MEI,B", 2, 5000)), "Meier Karl");
  // Without a match in the block the walk ends on the first row past it.
  EXPECT_EQ(Name(Type("MEIE,Z", 6, 5500)), "Meise Otto");
  EXPECT_EQ(Name(Type("mei", 6, 6000)), "Meier Anna");  // lower case compares folded
  EXPECT_EQ(Type("Q", 4, 7000), 4);                     // nothing matches: the row stays
  list.HeaderClicked(1);                                // A to Z: increasing order is downwards now
  EXPECT_EQ(Name(Type("MEI,K", 0, 8000)), "Meier Karl");
  EXPECT_EQ(Name(Type("B", 7, 9000)), "Bauer Anna");  // the last row wraps to row 0
}

TEST_F(TypeToFindTest, SequenceStartsOverFourSecondsAfterItsFirstKey) {
  EXPECT_EQ(list.KeyTyped('M', 6, 100), 5);
  EXPECT_EQ(list.KeyTyped('E', 5, 103), 5);
  EXPECT_EQ(list.KeyTyped('I', 5, 104), 5);  // 4 seconds after the first key: still "MEI"
  // 5 seconds after the first key, 1 after the last: "B" alone, not "MEIB".
  EXPECT_EQ(list.KeyTyped('B', 5, 105), 6);
  EXPECT_EQ(Name(6), "Bauer Anna");
  // "BA" continues the sequence begun at 105; "A" alone would have found Adler (row 7).
  EXPECT_EQ(list.KeyTyped('A', 6, 106), 6);
  list.ResetTypeAhead();
  EXPECT_EQ(list.KeyTyped('A', 6, 107), 7);  // a click started over: "A"
  list.KeyTyped('Z', 7, 108);
  list.HeaderClicked(2);  // so does a header click
  EXPECT_EQ(list.CellText(list.KeyTyped('H', 0, 109).value(), 2), "Hans");
}

TEST_F(TypeToFindTest, KeysForTheListItselfAreNotTaken) {
  for (const int key : {33, 40, 46, 8, 13, 27}) EXPECT_FALSE(list.KeyTyped(key, 3, 100)) << key;
  EXPECT_EQ(list.KeyTyped('M', 6, 100), 5);  // none of them entered the buffer
}

}  // namespace
}  // namespace korvane
