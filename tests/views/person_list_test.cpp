#include "views/person_list.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "../store/store_fixture.h"
#include "store/flags.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

std::vector<Rin> ShownRins(const PersonList& list) {
  std::vector<Rin> rins;
  for (int row = 0; row < list.RowCount(); ++row) rins.push_back(list.RinAt(row));
  return rins;
}

std::vector<std::string> Column(const PersonList& list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < list.RowCount(); ++row) texts.push_back(list.CellText(row, column));
  return texts;
}

TEST(PersonListBuildTest, RowsArePresentPersonsInRinOrderOrTheSelection) {
  Store store;
  const Rin anna = NewPerson(store, "Anna", "Bauer", 'F');
  const Rin gone = NewPerson(store, "Otto", "Roth", 'M');
  const Rin karl = NewPerson(store, "Karl", "Adler", 'M');
  const Rin ida = NewPerson(store, "Ida", "Zeller", 'F');
  store.personTable[gone].flags = 0;
  store.personTable[karl].flags |= SelectedFlag;
  store.personTable[ida].flags |= SelectedFlag;
  store.EnsurePersonCount(6);  // numbers the file never used

  PersonList list(store);
  EXPECT_TRUE(list.NeedsRebuild(store.PersonCount()));
  list.Build(false);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{anna, karl, ida}));
  EXPECT_FALSE(list.NeedsRebuild(store.PersonCount()));
  EXPECT_TRUE(list.NeedsRebuild(store.PersonCount() + 1));
  list.Invalidate();
  EXPECT_TRUE(list.NeedsRebuild(store.PersonCount()));

  list.Build(false);
  list.HeaderClicked(1);
  list.Build(true);  // "Auswahl": only the selected, in RIN order again
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{karl, ida}));
  EXPECT_EQ(list.SortColumn(), 0);
  EXPECT_EQ(list.SortDirection(), 1);
  // A build of the selection forces the next "Liste" to build anew.
  EXPECT_TRUE(list.NeedsRebuild(store.PersonCount()));

  // No rows: nothing to sort, and the next "Liste" tries again.
  Store empty;
  PersonList none(empty);
  none.Build(false);
  EXPECT_EQ(none.RowCount(), 0);
  EXPECT_TRUE(none.SortReady());
  EXPECT_TRUE(none.NeedsRebuild(0));
  none.HeaderClicked(3);
  EXPECT_EQ(none.RinAt(0), 0);
  EXPECT_EQ(none.RowToShow(1), -1);
}

TEST(PersonListCellTest, NineColumnsWithTheirFallbacks) {
  Store store;
  const Rin johann = NewPerson(store, "Johann Georg", "Maier", 'M');
  SetEvent(store, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
  SetEvent(store, johann, Event::Chr, Date(1800), "Neu-Ulm");
  SetEvent(store, johann, Event::Death, Date(1870), "Wien");
  const Rin eva = NewPerson(store, "Eva", "Müller", 'F');
  SetEvent(store, eva, Event::Birth, PackedDate{}, "");
  SetEvent(store, eva, Event::Chr, Date(812), "Köln");
  SetEvent(store, eva, Event::Burial, Date(1850), "Dachau");
  NewPerson(store, nullptr, nullptr);
  const Rin anna = NewPerson(store, "Anna", "Roth", 'F');
  NewFamily(store, johann, eva, {}, Date(1825), "Augsburg");
  NewFamily(store, johann, anna, {}, Date(1840), "Wien");
  store.EnsurePersonCount(123456);
  const Rin late = NewPerson(store, "Paul", "Roth", 'M');

  PersonList list(store);
  list.Build(false);
  const std::vector<std::vector<std::string>> expected = {
      {"1     ", "Maier", "Johann Georg", "1801", "Ulm", "1870", "Wien", "1825...", "Augsburg"},
      {"2     ", "Müller", "Eva", " 812", "Köln", "1850", "Dachau", "1825", "Augsburg"},
      {"3     ", "", "", "", "", "", "", "", ""},
      {"4     ", "Roth", "Anna", "", "", "", "", "1840", "Wien"},
      {"123457", "Roth", "Paul", "", "", "", "", "", ""},  // wider than six places: not cut
  };
  ASSERT_EQ(list.RowCount(), 5);
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < PersonList::kColumnCount; ++column) {
      EXPECT_EQ(list.CellText(row, column), expected[row][column]) << row << "/" << column;
    }
  }
  EXPECT_EQ(list.RinAt(4), late);
  EXPECT_EQ(list.CellText(5, 1), "");
  EXPECT_EQ(list.CellText(0, 9), "");
  EXPECT_TRUE(list.RowIsMale(0));
  EXPECT_FALSE(list.RowIsMale(1));
  EXPECT_FALSE(list.RowIsMale(2));  // no sex letter
}

class PersonListOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    adler = NewPerson(store, "Max", "Adler", 'M');
    zeller = NewPerson(store, "Ida", "Zeller", 'F');
    meier = NewPerson(store, "Hans", "Meier", 'M');
    bauer = NewPerson(store, "Anna", "Bauer", 'F');
    SetEvent(store, adler, Event::Birth, Date(1850));
    SetEvent(store, zeller, Event::Birth, Date(1790));
    SetEvent(store, meier, Event::Birth, Date(1820));
    SetEvent(store, adler, Event::Death, Date(1900));
    SetEvent(store, bauer, Event::Death, Date(1880));
    list.Build(false);
  }

  Store store;
  PersonList list{store};
  Rin adler = 0, zeller = 0, meier = 0, bauer = 0;
};

TEST_F(PersonListOrderTest, SurnameClickShowsZToAThenAToZAndRinAscending) {
  list.HeaderClicked(1);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"Zeller", "Meier", "Bauer", "Adler"}));
  EXPECT_EQ(list.SortDirection(), 1);
  list.HeaderClicked(1);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"Adler", "Bauer", "Meier", "Zeller"}));
  EXPECT_EQ(list.SortDirection(), -1);
  list.HeaderClicked(0);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{1, 2, 3, 4}));
  EXPECT_EQ(list.SortColumn(), 0);
  EXPECT_EQ(list.SortDirection(), 1);
  list.HeaderClicked(0);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{4, 3, 2, 1}));
  list.HeaderClicked(-1);
  list.HeaderClicked(9);
  EXPECT_EQ(list.SortColumn(), 0);
}

TEST_F(PersonListOrderTest, YearColumnsShowEarlyYearsFirstAndShareOneArray) {
  list.HeaderClicked(3);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{bauer, zeller, meier, adler}));  // 0 first
  list.HeaderClicked(5);
  EXPECT_EQ(list.SortDirection(), 1);
  EXPECT_EQ(Column(list, 5), (std::vector<std::string>{"", "", "1880", "1900"}));
  list.HeaderClicked(3);  // the shared array is sorted again for births
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{bauer, zeller, meier, adler}));
  list.HeaderClicked(3);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{adler, meier, zeller, bauer}));
}

TEST_F(PersonListOrderTest, RowsFollowTheDirectionAndAbsentPersonsHaveNone) {
  list.HeaderClicked(2);  // given names, Z to A: Max, Ida, Hans, Anna
  EXPECT_EQ(list.RowOf(adler), 0);
  EXPECT_EQ(list.RowOf(bauer), 3);
  list.HeaderClicked(2);
  EXPECT_EQ(list.RowOf(adler), 3);
  EXPECT_EQ(list.RinAt(0), bauer);
  EXPECT_EQ(list.RinAt(-1), 0);
  EXPECT_EQ(list.RinAt(4), 0);

  const Rin later = NewPerson(store, "Otto", "Roth", 'M');  // not built into the list
  EXPECT_EQ(list.RowOf(later), -1);
  EXPECT_EQ(list.RowOf(0), -1);
  EXPECT_EQ(list.RowToShow(later), 1);
  EXPECT_EQ(list.RowToShow(bauer), 0);
  EXPECT_EQ(list.CellText(0, 2), "Anna");
}

TEST_F(PersonListOrderTest, BuildResetsTheOrder) {
  list.HeaderClicked(3);
  list.HeaderClicked(3);
  list.Build(false);
  EXPECT_EQ(list.SortColumn(), 0);
  EXPECT_EQ(list.SortDirection(), 1);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{1, 2, 3, 4}));
  // The build refilled the date array in RIN order; the next click must sort it again.
  list.HeaderClicked(3);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{bauer, zeller, meier, adler}));
}

}  // namespace
}  // namespace korvane
