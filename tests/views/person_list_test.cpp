#include "views/person_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "../store/store_fixture.h"
#include "store/compare_persons.h"
#include "store/flags.h"
#include "views/current_person.h"

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

TEST(PersonListBuildTest, RowsArePresentPersonsInRinOrderOrTheSelection) {
  Store store;
  const Rin anna = NewPerson(store, "Anna", "Bauer", 'F');
  const Rin karl = NewPerson(store, "Karl", "Adler", 'M');
  const Rin ida = NewPerson(store, "Ida", "Zeller", 'F');
  store.personTable[karl].flags |= SelectedFlag;
  store.personTable[ida].flags |= SelectedFlag;
  store.EnsurePersonCount(6);  // numbers the file never used are not present

  PersonList list(store);
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
  // A build of the selection forces the next "Liste" to build anew.
  EXPECT_TRUE(list.NeedsRebuild(store.PersonCount()));

  // No rows: nothing to sort, and the next "Liste" tries again.
  Store empty;
  PersonList none(empty);
  none.Build(false);
  EXPECT_TRUE(none.SortReady() && none.NeedsRebuild(0));
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
  const Rin anna = NewPerson(store, nullptr, nullptr);
  NewFamily(store, johann, eva, {}, Date(1825), "Augsburg");
  NewFamily(store, johann, anna, {}, Date(1840), "Wien");
  store.EnsurePersonCount(123456);
  NewPerson(store, "Paul", "Roth", 'M');

  PersonList list(store);
  list.Build(false);
  const auto row = [&list](int row) {
    std::string cells;
    for (int column = 0; column < PersonList::kColumnCount; ++column) {
      cells += list.CellText(row, column) + "|";
    }
    return cells;
  };
  // Two spouse families: the first marriage with "...".
  EXPECT_EQ(row(0), "1     |Maier|Johann Georg|1801|Ulm|1870|Wien|1825...|Augsburg|");
  // Christening and burial stand in for a missing birth and death.
  EXPECT_EQ(row(1), "2     |Müller|Eva| 812|Köln|1850|Dachau|1825|Augsburg|");
  EXPECT_EQ(row(2), "3     |||||||1840|Wien|");
  EXPECT_EQ(row(3), "123457|Roth|Paul|||||||");  // wider than six places: not cut
  EXPECT_TRUE(list.RowIsMale(0));
  EXPECT_FALSE(list.RowIsMale(1) || list.RowIsMale(2));  // "F" and no sex letter
}

TEST(PersonListOrderTest, SurnameClickShowsZToAThenAToZAndRinAscending) {
  Store store;
  const Rin adler = NewPerson(store, "Max", "Adler", 'M');
  NewPerson(store, "Ida", "Zeller", 'F');
  NewPerson(store, "Hans", "Meier", 'M');
  const Rin bauer = NewPerson(store, "Anna", "Bauer", 'F');
  PersonList list(store);
  list.Build(false);
  list.HeaderClicked(1);  // "Nachname": Zeller, Meier, Bauer, Adler
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{2, 3, 4, 1}));
  EXPECT_EQ(list.RowOf(adler), 3);
  list.HeaderClicked(1);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{1, 4, 3, 2}));
  EXPECT_EQ(std::pair(list.SortDirection(), list.RowOf(adler)), std::pair(-1, 0));
  list.HeaderClicked(0);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{1, 2, 3, 4}));
  EXPECT_EQ(std::pair(list.SortColumn(), list.SortDirection()), std::pair(0, 1));
  list.HeaderClicked(0);
  EXPECT_EQ(ShownRins(list), (std::vector<Rin>{4, 3, 2, 1}));

  // A person the list was not built with has no row; the current one falls back to row 1.
  const Rin later = NewPerson(store, "Otto", "Roth", 'M');
  EXPECT_EQ(std::pair(list.RowOf(later), list.RowOf(0)), std::pair(-1, -1));
  EXPECT_EQ(std::pair(list.RowToShow(later), list.RowToShow(bauer)), std::pair(1, 0));
  EXPECT_EQ(std::pair(list.RinAt(-1), list.RinAt(4)), std::pair(0, 0));
}

TEST(MakeCurrentTest, PreviousPersonChangesOnlyWithTheCurrentOne) {
  Store store;
  NewPerson(store, "Anna", "Bauer", 'F');
  NewPerson(store, "Karl", "Adler", 'M');
  PersonList list(store);
  list.Build(false);
  Rin current = 7, previous = 3;
  EXPECT_TRUE(MakeCurrent(list, 0, current, previous));
  EXPECT_EQ(std::pair(current, previous), std::pair(1, 7));
  EXPECT_TRUE(MakeCurrent(list, 0, current, previous));  // same person again
  EXPECT_EQ(std::pair(current, previous), std::pair(1, 7));
  list.HeaderClicked(1);  // Z to A: Bauer, Adler
  EXPECT_TRUE(MakeCurrent(list, 1, current, previous));
  EXPECT_FALSE(MakeCurrent(list, 2, current, previous));
  EXPECT_FALSE(MakeCurrent(list, -1, current, previous));
  EXPECT_EQ(std::pair(current, previous), std::pair(2, 1));
  EXPECT_EQ(RinStatusText(current), "RIN: 2");
}

TEST(ListStatusTest, CountsAndChangesOfTheListAndTheSelection) {
  using Texts = std::array<std::string, 3>;
  ChangeCounters counters;
  EXPECT_EQ(ListStatusTexts("familie.ged", 1234, counters, 5),
            (Texts{"familie.ged geladen", "1234 Personen\t", "RIN: 5"}));
  counters.merges = 3;
  counters.corrections = 12;
  EXPECT_EQ(ListStatusTexts("familie.ged", 1234, counters, 5)[1],
            "1234 Personen\t  3 Verschmelzungen  12 Korrekturen");
  EXPECT_EQ(SelectionStatusTexts(17, 0), (Texts{"Auswahl", "17 Personen\t", "RIN: 0"}));
}

// A large invented population with many equal names, years and places, missing values,
// deleted and selected persons, and persons married twice.
void Populate(Store& store, int persons) {
  static constexpr const char* kSurnames[] = {"Maier", "Meier", "Müller", "Mueller", "Ähler",
                                              "Adler", "Öhl",   "",       nullptr};
  static constexpr const char* kGivenNames[] = {"Anna", "Hans", "Johann Georg", "Eva", nullptr};
  static constexpr const char* kPlaces[] = {"Ulm", "Köln", "Augsburg", "", nullptr};
  std::mt19937 random(20240611);
  auto pick = [&random](const auto& table) { return table[random() % std::size(table)]; };
  auto year = [&random] { return random() % 3 == 0 ? 0 : 1600 + static_cast<int>(random() % 300); };
  for (int i = 0; i < persons; ++i) {
    const Rin rin = NewPerson(store, pick(kGivenNames), pick(kSurnames), random() % 2 ? 'M' : 'F');
    for (const Event event : {Event::Birth, Event::Chr, Event::Death, Event::Burial}) {
      if (random() % 2 == 0) SetEvent(store, rin, event, Date(year()), pick(kPlaces));
    }
    if (random() % 50 == 0) store.personTable[rin].flags = 0;
    if (random() % 3 == 0) store.personTable[rin].flags |= SelectedFlag;
  }
  const auto anyone = [&random, persons] { return 1 + static_cast<Rin>(random() % persons); };
  for (int i = 0; i < persons / 3; ++i) {
    const Rin husband = anyone();
    NewFamily(store, husband, anyone(), {}, Date(year()), pick(kPlaces));
  }
}

// The presorted orders of "Liste" and then "Auswahl". Year columns share one array: the
// last click before the second build and the first one after it are on the same column,
// and the list is still sorted when the second build starts.
TEST(PersonListSortTest, EveryColumnOrderAgreesWithComparePersons) {
  Store store;
  Populate(store, 20'000);
  PersonList list(store);
  for (const std::uint32_t required : {PresentFlag, PresentFlag | SelectedFlag}) {
    std::vector<Rin> rows;
    for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
      if ((store.personTable[rin].flags & required) == required) rows.push_back(rin);
    }
    // The build waits for a sort that may still run and resets the order to RIN ascending,
    // usable while the presorting runs.
    list.Build(required != PresentFlag);
    EXPECT_EQ(ShownRins(list), rows);
    for (const int column : {3, 1, 2, 4, 6, 8, 5, 7, 3}) {
      list.HeaderClicked(0);  // so a click on the same column sorts anew
      list.HeaderClicked(column);
      const std::vector<Rin> shown = ShownRins(list);
      std::vector<Rin> sorted = shown;
      std::sort(sorted.begin(), sorted.end());
      ASSERT_EQ(sorted, rows) << "column " << column;
      for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        // No row may belong before the row above it.
        ASSERT_LE(ComparePersons(store, shown[i + 1], shown[i], column), 0)
            << "column " << column << " row " << i;
      }
      list.HeaderClicked(column);
      std::vector<Rin> reversed = ShownRins(list);
      std::reverse(reversed.begin(), reversed.end());
      ASSERT_EQ(reversed, shown) << "column " << column;
    }
  }
  PersonList(store).Build(false);  // destroyed while its sort may still run
}

}  // namespace
}  // namespace korvane
