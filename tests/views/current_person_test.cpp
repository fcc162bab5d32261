#include "views/current_person.h"

#include <gtest/gtest.h>

#include "../store/store_fixture.h"

namespace korvane {
namespace {

using store_test::NewPerson;

TEST(MakeCurrentTest, PreviousPersonChangesOnlyWithTheCurrentOne) {
  Store store;
  NewPerson(store, "Anna", "Bauer", 'F');
  NewPerson(store, "Karl", "Adler", 'M');
  PersonList list(store);
  list.Build(false);
  Rin current = 7;
  Rin previous = 3;
  EXPECT_TRUE(MakeCurrent(list, 0, current, previous));
  EXPECT_EQ(current, 1);
  EXPECT_EQ(previous, 7);
  EXPECT_TRUE(MakeCurrent(list, 0, current, previous));  // same person again
  EXPECT_EQ(previous, 7);
  list.HeaderClicked(1);  // Z to A: Bauer, Adler
  EXPECT_TRUE(MakeCurrent(list, 1, current, previous));
  EXPECT_EQ(current, 2);
  EXPECT_EQ(previous, 1);
  EXPECT_FALSE(MakeCurrent(list, 2, current, previous));
  EXPECT_FALSE(MakeCurrent(list, -1, current, previous));
  EXPECT_EQ(current, 2);
  EXPECT_EQ(previous, 1);
  EXPECT_EQ(RinStatusText(current), "RIN: 2");
}

TEST(ListStatusTest, CountsAndChangesOfTheListAndTheSelection) {
  ChangeCounters counters;
  using Texts = std::array<std::string, 3>;
  EXPECT_EQ(ListStatusTexts("familie.ged", 1234, counters, 5),
            (Texts{"familie.ged geladen", "1234 Personen\t", "RIN: 5"}));
  counters.merges = 3;
  EXPECT_EQ(ListStatusTexts("familie.ged", 1234, counters, 5)[1],
            "1234 Personen\t  3 Verschmelzungen");
  counters.corrections = 12;
  EXPECT_EQ(ListStatusTexts("familie.ged", 1234, counters, 5)[1],
            "1234 Personen\t  3 Verschmelzungen  12 Korrekturen");
  counters.merges = 0;
  EXPECT_EQ(ListStatusTexts("familie.ged", 1234, counters, 5)[1],
            "1234 Personen\t  12 Korrekturen");
  EXPECT_EQ(SelectionStatusTexts(17, 0), (Texts{"Auswahl", "17 Personen\t", "RIN: 0"}));
}

}  // namespace
}  // namespace korvane
