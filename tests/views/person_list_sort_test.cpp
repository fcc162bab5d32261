#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "../store/store_fixture.h"
#include "store/compare_persons.h"
#include "store/flags.h"
#include "views/person_list.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

// A large invented population with many equal names, years and places, missing values,
// deleted and selected persons, and persons married twice.
void Populate(Store& store, int persons) {
  static constexpr const char* kSurnames[] = {"Maier", "Meier",  "Müller", "Mueller", "Bauer",
                                              "Ähler", "Zimmer", "Adler",  "Roth",    "Öhl",
                                              "Huber", "",       nullptr};
  static constexpr const char* kGivenNames[] = {"Anna", "Hans", "Johann Georg", "Eva",
                                                "Ida",  "Karl", "Maria",        nullptr};
  static constexpr const char* kPlaces[] = {"Ulm", "Wien", "Köln", "Augsburg", "", nullptr};
  std::mt19937 random(20240611);
  auto pick = [&random](const auto& table) {
    return table[random() % (sizeof table / sizeof table[0])];
  };
  auto year = [&random] { return random() % 3 == 0 ? 0 : 1600 + static_cast<int>(random() % 300); };
  for (int i = 0; i < persons; ++i) {
    const Rin rin = NewPerson(store, pick(kGivenNames), pick(kSurnames), random() % 2 ? 'M' : 'F');
    SetEvent(store, rin, Event::Birth, Date(year()), pick(kPlaces));
    if (random() % 4 == 0) SetEvent(store, rin, Event::Chr, Date(year()), pick(kPlaces));
    if (random() % 2 == 0) SetEvent(store, rin, Event::Death, Date(year()), pick(kPlaces));
    if (random() % 5 == 0) SetEvent(store, rin, Event::Burial, Date(year()), pick(kPlaces));
    if (random() % 50 == 0) store.personTable[rin].flags = 0;
    if (random() % 3 == 0) store.personTable[rin].flags |= SelectedFlag;
  }
  for (int i = 0; i < persons / 3; ++i) {
    const Rin husband = 1 + static_cast<Rin>(random() % persons);
    const Rin wife = 1 + static_cast<Rin>(random() % persons);
    NewFamily(store, husband, wife, {}, Date(year()), pick(kPlaces));
  }
}

std::vector<Rin> ShownRins(const PersonList& list) {
  std::vector<Rin> rins;
  rins.reserve(static_cast<std::size_t>(list.RowCount()));
  for (int row = 0; row < list.RowCount(); ++row) rins.push_back(list.RinAt(row));
  return rins;
}

TEST(PersonListSortTest, EveryColumnOrderAgreesWithComparePersons) {
  Store store;
  Populate(store, 100'000);
  std::vector<Rin> present;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    if (store.personTable[rin].flags & PresentFlag) present.push_back(rin);
  }

  PersonList list(store);
  list.Build(false);
  // Rows in RIN order are usable while the presorting runs.
  EXPECT_EQ(ShownRins(list), present);
  EXPECT_EQ(list.RowOf(present.back()), list.RowCount() - 1);
  list.WaitUntilSortReady();
  EXPECT_TRUE(list.SortReady());

  for (const int column : {1, 2, 4, 6, 8, 3, 5, 7, 3}) {
    list.HeaderClicked(column);
    const std::vector<Rin> shown = ShownRins(list);
    std::vector<Rin> sorted = shown;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted, present) << "column " << column;
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
      // No row may belong before the row above it.
      ASSERT_LE(ComparePersons(store, shown[i + 1], shown[i], column), 0)
          << "column " << column << " row " << i;
    }
    list.HeaderClicked(column);
    std::vector<Rin> reversed = ShownRins(list);
    std::reverse(reversed.begin(), reversed.end());
    ASSERT_EQ(reversed, shown) << "column " << column;
    list.HeaderClicked(0);  // so the next click on the same column sorts anew
  }
  EXPECT_EQ(ShownRins(list), present);
}

TEST(PersonListSortTest, RebuildsAndDestructionWaitForTheSort) {
  Store store;
  Populate(store, 20'000);
  for (int round = 0; round < 3; ++round) {
    PersonList list(store);
    list.Build(false);
    list.Build(true);  // waits for the first sort before it refills the rows
    const int selected = list.RowCount();
    list.HeaderClicked(1);
    EXPECT_TRUE(list.SortReady());
    EXPECT_EQ(list.RowCount(), selected);
    for (int row = 0; row < selected; ++row) {
      ASSERT_TRUE(store.personTable[list.RinAt(row)].flags & SelectedFlag);
    }
    list.Build(false);  // destroyed while this sort may still run
  }
}

}  // namespace
}  // namespace korvane
