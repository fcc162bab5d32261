#include <gtest/gtest.h>

#include <string>

#include "../store/store_fixture.h"
#include "views/person_list.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewPerson;
using store_test::SetEvent;

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

TEST_F(TypeToFindTest, SurnameThenGivenNameAfterTheComma) {
  EXPECT_EQ(Name(Type("MEI", 6)), "Meier Anna");  // upwards is increasing surname order
  EXPECT_EQ(Name(Type("MEI,H", 6, 2000)), "Meier Hans");
  // From the top row the search wraps around to the bottom and climbs from there.
  EXPECT_EQ(Name(Type("MEI,H", 0, 3000)), "Meier Hans");
  // Blanks are ignored among given names; a given name already past the typed one stays.
  EXPECT_EQ(Name(Type("MEI, B", 6, 4000)), "Meier Berta");
  EXPECT_EQ(Name(Type("MEI,B", 2, 5000)), "Meier Karl");
  // Without a match in the block the walk ends on the first row past it.
  EXPECT_EQ(Name(Type("MEIE,Z", 6, 5500)), "Meise Otto");
  // Lower-case keys compare folded, like upper-case ones.
  EXPECT_EQ(Name(Type("mei", 6, 6000)), "Meier Anna");
}

TEST_F(TypeToFindTest, SearchRunsInKeyOrderWithWrapAround) {
  EXPECT_EQ(Name(Type("A", 0)), "Adler Max");  // row 0 up wraps to the last row
  EXPECT_EQ(Name(Type("MEIS", 6, 2000)), "Meise Otto");
  EXPECT_EQ(Type("Q", 4, 3000), 4);  // nothing matches: the start row stays
  list.HeaderClicked(1);             // A to Z: increasing order is downwards now
  EXPECT_EQ(Name(0), "Adler Max");
  EXPECT_EQ(Name(Type("MEI,K", 0, 4000)), "Meier Karl");
  EXPECT_EQ(Name(Type("B", 7, 5000)), "Bauer Anna");  // last row wraps to row 0
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
  for (const int key : {33, 34, 35, 36, 37, 38, 39, 40, 46, 8, 13, 16, 27}) {
    EXPECT_FALSE(list.KeyTyped(key, 3, 100).has_value()) << key;
  }
  EXPECT_EQ(list.KeyTyped('M', 6, 100), 5);  // none of them entered the buffer
  Store empty;
  PersonList none(empty);
  none.Build(false);
  EXPECT_FALSE(none.KeyTyped('A', 0, 100).has_value());
}

TEST_F(TypeToFindTest, TypedTextStopsAtNinetyNineCharacters) {
  const Rin longA = NewPerson(store, "Lang", std::string(99, 'A').append("C").c_str());
  NewPerson(store, "Lang", std::string(99, 'A').append("B").c_str());
  list.Build(false);
  list.HeaderClicked(1);
  const int start = list.RowOf(longA);
  const int row = Type(std::string(99, 'A'), start);
  EXPECT_EQ(row, start);
  EXPECT_EQ(Type("B", row), start);  // a 100th character would have found the "...B" row
}

TEST(TypeToFindColumnsTest, EachSortColumnMatchesItsOwnCell) {
  Store store;
  const Rin first = NewPerson(store, "Anna", "Bauer", 'F');
  SetEvent(store, first, Event::Birth, Date(1820), "Köln");
  for (int i = 0; i < 10; ++i) NewPerson(store, "Karl", nullptr, 'M');
  const Rin twelfth = NewPerson(store, nullptr, "Roth", 'M');
  SetEvent(store, twelfth, Event::Chr, Date(1799), "Ulm");
  PersonList list(store);
  list.Build(false);

  EXPECT_EQ(list.KeyTyped('1', 5, 100), 0);  // RIN column: the number typed so far
  EXPECT_EQ(list.KeyTyped('2', 0, 100), 11);
  list.HeaderClicked(4);  // birth place, Z to A: Ulm, Köln, then persons without
  EXPECT_EQ(list.KeyTyped('K', 5, 200), 1);
  list.ResetTypeAhead();
  EXPECT_EQ(list.KeyTyped('X', 5, 201), 5);   // no place never matches
  list.HeaderClicked(3);                      // years early first: 0 x10, 1799, 1820
  EXPECT_EQ(list.KeyTyped('1', 0, 300), 11);  // wraps from row 0 to the last row
  EXPECT_EQ(list.KeyTyped('7', 11, 300), 10);
  list.HeaderClicked(2);  // given names: persons without given names match anything
  EXPECT_EQ(list.RinAt(list.KeyTyped('Z', 0, 400).value()), twelfth);
}

}  // namespace
}  // namespace korvane
