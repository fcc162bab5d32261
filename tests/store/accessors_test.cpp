#include "store/accessors.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store_fixture.h"

namespace korvane {
namespace {

using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

PackedDate Year(int year) { return PackedDate::Make(year); }

TEST(Accessors, PersonExistsOnlyForPresentRecordsInRange) {
  Store store;
  const Rin anna = NewPerson(store, "Anna", "Maier");
  store.EnsurePersonCount(3);  // numbers the file never defined
  const Rin karl = store.AddPerson();
  for (Rin rin : {INT_MIN, -1, 0, 2, 3, 5, INT_MAX}) EXPECT_FALSE(PersonExists(store, rin)) << rin;
  EXPECT_TRUE(PersonExists(store, anna));
  EXPECT_TRUE(PersonExists(store, karl));
  store.personTable[karl].flags = 0;  // deleted
  EXPECT_FALSE(PersonExists(store, karl));

  const Mrin family = store.AddFamily();
  EXPECT_TRUE(FamilyExists(store, family));
  EXPECT_FALSE(FamilyExists(store, 0));
  EXPECT_FALSE(FamilyExists(store, family + 1));
}

TEST(Accessors, ParentsComeFromTheParentFamilyAtTheIndex) {
  ScriptedUi ui;
  Diagnostics diagnostics(ui);
  Store store;
  const Rin father = NewPerson(store, "Johann", "Maier", 'M');
  const Rin mother = NewPerson(store, "Anna", "Huber", 'F');
  const Rin fosterMother = NewPerson(store, "Rosa", "Bauer", 'F');
  const Rin child = NewPerson(store, "Karl", "Maier", 'M');
  NewFamily(store, father, mother, {child});
  NewFamily(store, 0, fosterMother, {child});

  EXPECT_EQ(FatherOf(store, child, 0), father);
  EXPECT_EQ(MotherOf(store, child, 0), mother);
  EXPECT_EQ(FatherOf(store, child, 1), 0);  // the second family has no husband
  EXPECT_EQ(MotherOf(store, child, 1), fosterMother);
  EXPECT_EQ(FatherOf(store, child, 2), 0);
  EXPECT_EQ(MotherOf(store, child, 2), 0);
  EXPECT_EQ(FatherOf(store, father, 0), 0);  // no parent family
  EXPECT_EQ(FatherOf(store, -3, 0), 0);
  EXPECT_EQ(MotherOf(store, -3, 0), 0);
  EXPECT_EQ(FatherOf(store, 0, 0), 0);
  EXPECT_EQ(FatherOf(store, 99, 0), 0);

  ListAppend(store.personTable[father].famc, 77);  // a link to a family that is not there
  EXPECT_EQ(FatherOf(store, father, 0), 0);
  EXPECT_TRUE(ui.Boxes().empty());  // an index past the end is no list fault here
}

TEST(Accessors, SpouseIsTheHusbandOnlyForWomen) {
  ScriptedUi ui;
  Diagnostics diagnostics(ui);
  Store store;
  const Rin husband = NewPerson(store, "Johann", "Maier", 'M');
  const Rin wife = NewPerson(store, "Anna", "Huber", 'F');
  const Rin unknown = NewPerson(store, "Kim", "Bauer");
  const Rin lowerCase = NewPerson(store, "Eva", "Bauer", 'f');
  const Rin single = NewPerson(store, "Otto", "Roth", 'M');
  NewFamily(store, husband, wife);
  NewFamily(store, husband, unknown);
  NewFamily(store, single, lowerCase);

  EXPECT_EQ(SpouseOf(store, husband, 0), wife);
  EXPECT_EQ(SpouseOf(store, husband, 1), unknown);
  EXPECT_EQ(SpouseOf(store, wife, 0), husband);
  // Without "F" a person counts as husband, also where it is the family's wife.
  EXPECT_EQ(SpouseOf(store, unknown, 0), unknown);
  EXPECT_EQ(SpouseOf(store, lowerCase, 0), lowerCase);
  EXPECT_EQ(SpouseOf(store, husband, 2), 0);
  EXPECT_EQ(SpouseOf(store, NewPerson(store, "Ida", "Roth", 'F'), 0), 0);
  EXPECT_EQ(SpouseOf(store, 0, 0), 0);
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST(Accessors, YearsFallBackToChristeningAndBurial) {
  Store store;
  const Rin rin = NewPerson(store, "Karl", "Maier");
  const Person& p = store.personTable[rin];
  EXPECT_EQ(BirthYearOf(p), 0);
  EXPECT_EQ(DeathYearOf(p), 0);
  SetEvent(store, rin, Event::Chr, Year(1802));
  SetEvent(store, rin, Event::Burial, Year(1871));
  EXPECT_EQ(BirthYearOf(p), 1802);
  EXPECT_EQ(DeathYearOf(p), 1871);
  SetEvent(store, rin, Event::Birth, PackedDate::Make(0, 5, 12));  // no year: not used
  SetEvent(store, rin, Event::Death, PackedDate::Make(0, 3));
  EXPECT_EQ(BirthYearOf(p), 1802);
  EXPECT_EQ(DeathYearOf(p), 1871);
  SetEvent(store, rin, Event::Birth, PackedDate::Make(1801, 5, 12, kAbout));
  SetEvent(store, rin, Event::Death, Year(1870));
  EXPECT_EQ(BirthYearOf(p), 1801);
  EXPECT_EQ(DeathYearOf(p), 1870);

  PackedDate doubleYear = Year(1700);
  doubleYear.SetSecondYearOffset(1);  // 1700/1701
  NewFamily(store, rin, 0, {}, doubleYear);
  NewFamily(store, rin, 0);
  EXPECT_EQ(MarriageYearOf(store, p, 0), 1700);
  EXPECT_EQ(MarriageYearOf(store, p, 1), 0);
  EXPECT_EQ(MarriageYearOf(store, p, 2), 0);
}

TEST(Accessors, EstimatedBirthYearTriesSixSourcesInOrder) {
  struct Case {
    const char* name;
    std::function<Rin(Store&)> build;  // returns the person to estimate
    int expected;
  };
  const Case cases[] = {
      {"own birth beats everything",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         SetEvent(s, p, Event::Birth, Year(1801));
         NewFamily(s, p, 0, {}, Year(1850));
         return p;
       },
       1801},
      {"christening",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X");
         SetEvent(s, p, Event::Chr, Year(1790));
         return p;
       },
       1790},
      {"first marriage minus 20",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         NewFamily(s, p, 0, {}, Year(1850));
         NewFamily(s, p, 0, {}, Year(1800));
         return p;
       },
       1830},
      {"first child minus 25",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin child = NewPerson(s, "C", "X");
         SetEvent(s, child, Event::Birth, Year(1860));
         NewFamily(s, p, 0, {child});
         return p;
       },
       1835},
      {"first child of a later family when earlier ones give nothing",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin undated = NewPerson(s, "U", "X");
         const Rin child = NewPerson(s, "C", "X");
         SetEvent(s, child, Event::Birth, Year(1870));
         NewFamily(s, p, 0);
         NewFamily(s, p, 0, {undated});
         NewFamily(s, p, 0, {child});
         return p;
       },
       1845},
      {"only the first child of a family counts",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin first = NewPerson(s, "C1", "X");
         const Rin second = NewPerson(s, "C2", "X");
         SetEvent(s, second, Event::Birth, Year(1865));
         NewFamily(s, p, 0, {first, second});
         return p;
       },
       0},
      {"marriage beats children",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin child = NewPerson(s, "C", "X");
         SetEvent(s, child, Event::Birth, Year(1860));
         NewFamily(s, p, 0, {child}, Year(1850));
         return p;
       },
       1830},
      {"father plus 20, before the mother",
       [](Store& s) {
         const Rin father = NewPerson(s, "F", "X", 'M');
         const Rin mother = NewPerson(s, "M", "X", 'F');
         const Rin p = NewPerson(s, "P", "X");
         SetEvent(s, father, Event::Birth, Year(1800));
         SetEvent(s, mother, Event::Birth, Year(1810));
         NewFamily(s, father, mother, {p});
         return p;
       },
       1820},
      {"mother plus 20",
       [](Store& s) {
         const Rin father = NewPerson(s, "F", "X", 'M');
         const Rin mother = NewPerson(s, "M", "X", 'F');
         const Rin p = NewPerson(s, "P", "X");
         SetEvent(s, mother, Event::Birth, Year(1805));
         NewFamily(s, father, mother, {p});
         return p;
       },
       1825},
      {"first spouse's own year",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin wife = NewPerson(s, "W", "Y", 'F');
         SetEvent(s, wife, Event::Birth, Year(1830));
         NewFamily(s, p, wife);
         return p;
       },
       1830},
      {"the child's estimate (from its mother) beats the spouse",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin wife = NewPerson(s, "W", "Y", 'F');
         const Rin child = NewPerson(s, "C", "X");
         SetEvent(s, wife, Event::Birth, Year(1830));
         NewFamily(s, p, wife, {child});
         return p;
       },
       1825},
      {"grandchild two generations down",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin child = NewPerson(s, "C", "X", 'M');
         const Rin grandchild = NewPerson(s, "G", "X");
         SetEvent(s, grandchild, Event::Birth, Year(1900));
         NewFamily(s, p, 0, {child});
         NewFamily(s, child, 0, {grandchild});
         return p;
       },
       1850},
      {"spouse of the child",
       [](Store& s) {
         const Rin p = NewPerson(s, "P", "X", 'M');
         const Rin child = NewPerson(s, "C", "X", 'M');
         const Rin childsWife = NewPerson(s, "W", "Y", 'F');
         SetEvent(s, childsWife, Event::Birth, Year(1880));
         NewFamily(s, p, 0, {child});
         NewFamily(s, child, childsWife);
         return p;
       },
       1855},
      {"nothing known", [](Store& s) { return NewPerson(s, "P", "X"); }, 0},
      {"no person", [](Store&) { return Rin{0}; }, 0},
      {"number past the table", [](Store&) { return Rin{42}; }, 0},
  };
  for (const Case& c : cases) {
    Store store;
    const Rin rin = c.build(store);
    EXPECT_EQ(EstimatedBirthYear(store, rin), c.expected) << c.name;
  }
}

TEST(Accessors, EstimatedBirthYearEndsOnCyclesAndVeryLongLines) {
  Store store;
  // A person who is their own child.
  const Rin self = NewPerson(store, "S", "X", 'M');
  NewFamily(store, self, 0, {self});
  EXPECT_EQ(EstimatedBirthYear(store, self), 0);

  // a -> b -> a, with a dated grandchild behind the loop in b's second family.
  const Rin a = NewPerson(store, "A", "X", 'M');
  const Rin b = NewPerson(store, "B", "X", 'M');
  const Rin d = NewPerson(store, "D", "X");
  SetEvent(store, d, Event::Birth, Year(1900));
  NewFamily(store, a, 0, {b});
  NewFamily(store, b, 0, {a});
  NewFamily(store, b, 0, {d});
  EXPECT_EQ(EstimatedBirthYear(store, a), 1850);

  // 100,000 generations without a single date.
  Store line;
  constexpr int kGenerations = 100'000;
  line.EnsurePersonCount(kGenerations);
  for (Rin rin = 1; rin <= kGenerations; ++rin) line.personTable[rin].flags = PresentFlag;
  for (Rin rin = 1; rin < kGenerations; ++rin) NewFamily(line, rin, 0, {rin + 1});
  EXPECT_EQ(EstimatedBirthYear(line, 1), 0);
}

}  // namespace
}  // namespace korvane
