#include "store/accessors.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store_fixture.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

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
  EXPECT_TRUE(FamilyExists(store, store.AddFamily()));
  EXPECT_FALSE(FamilyExists(store, 0));
  EXPECT_FALSE(FamilyExists(store, 2));
}

TEST(Accessors, ParentsAndSpousesComeFromTheFamilyAtTheIndex) {
  ScriptedUi ui;
  Diagnostics diagnostics(ui);
  Store s;
  const Rin father = NewPerson(s, "Johann", "Maier", 'M');
  const Rin mother = NewPerson(s, "Anna", "Huber", 'F');
  const Rin fosterMother = NewPerson(s, "Rosa", "Bauer", 'F');
  const Rin unknown = NewPerson(s, "Kim", "Bauer");
  const Rin lowerCase = NewPerson(s, "Eva", "Bauer", 'f');
  const Rin child = NewPerson(s, "Karl", "Maier", 'M');
  NewFamily(s, father, mother, {child});
  NewFamily(s, 0, fosterMother, {child});
  NewFamily(s, father, unknown);
  NewFamily(s, 0, lowerCase);

  EXPECT_EQ(FatherOf(s, child, 0), father);
  EXPECT_EQ(MotherOf(s, child, 0), mother);
  EXPECT_EQ(FatherOf(s, child, 1), 0);
  EXPECT_EQ(MotherOf(s, child, 1), fosterMother);
  for (Rin rin : {child, father, -3, 0, 99}) {  // past the end, no parents, bad numbers
    EXPECT_EQ(FatherOf(s, rin, rin == child ? 2 : 0), 0) << rin;
    EXPECT_EQ(MotherOf(s, rin, rin == child ? 2 : 0), 0) << rin;
  }
  ListAppend(s.personTable[father].famc, 77);  // a link to a family that is not there
  EXPECT_EQ(FatherOf(s, father, 0), 0);

  EXPECT_EQ(SpouseOf(s, father, 0), mother);
  EXPECT_EQ(SpouseOf(s, father, 1), unknown);
  EXPECT_EQ(SpouseOf(s, mother, 0), father);
  // Without "F" a person counts as husband, also where it is the family's wife.
  EXPECT_EQ(SpouseOf(s, unknown, 0), unknown);
  EXPECT_EQ(SpouseOf(s, lowerCase, 0), lowerCase);
  EXPECT_EQ(SpouseOf(s, father, 2), 0);
  EXPECT_EQ(SpouseOf(s, child, 0), 0);
  EXPECT_EQ(SpouseOf(s, 0, 0), 0);
  EXPECT_TRUE(ui.Boxes().empty());  // an index past the end is no list fault here
}

TEST(Accessors, YearsFallBackToChristeningAndBurial) {
  Store store;
  const Rin rin = NewPerson(store, "Karl", "Maier");
  const Person& p = store.personTable[rin];
  EXPECT_EQ(BirthYearOf(p), 0);
  EXPECT_EQ(DeathYearOf(p), 0);
  SetEvent(store, rin, Event::Chr, Date(1802));
  SetEvent(store, rin, Event::Burial, Date(1871));
  SetEvent(store, rin, Event::Birth, Date(0, 5, 12));  // without a year: not used
  SetEvent(store, rin, Event::Death, Date(0, 3));
  EXPECT_EQ(BirthYearOf(p), 1802);
  EXPECT_EQ(DeathYearOf(p), 1871);
  SetEvent(store, rin, Event::Birth, PackedDate::Make(1801, 5, 12, kAbout));
  SetEvent(store, rin, Event::Death, Date(1870));
  EXPECT_EQ(BirthYearOf(p), 1801);
  EXPECT_EQ(DeathYearOf(p), 1870);

  PackedDate doubleYear = Date(1700, 2, 3);
  doubleYear.SetSecondYearOffset(1);  // 1700/1701
  NewFamily(store, rin, 0, {}, doubleYear);
  NewFamily(store, rin, 0);
  EXPECT_EQ(MarriageYearOf(store, p, 0), 1700);
  EXPECT_EQ(MarriageYearOf(store, p, 1), 0);
  EXPECT_EQ(MarriageYearOf(store, p, 2), 0);
}

TEST(Accessors, EstimatedBirthYearTriesSixSourcesInOrder) {
  Store s;
  const auto person = [&s](int born = 0, char sex = 'M') {
    const Rin rin = NewPerson(s, "P", "X", sex);
    if (born != 0) SetEvent(s, rin, Event::Birth, Date(born));
    return rin;
  };
  const Rin own = person(1801);
  NewFamily(s, own, 0, {}, Date(1850));
  const Rin christened = person();
  SetEvent(s, christened, Event::Chr, Date(1790));
  const Rin married = person();  // the first marriage counts
  NewFamily(s, married, 0, {person(1860)}, Date(1850));
  NewFamily(s, married, 0, {}, Date(1800));
  const Rin parent = person();
  NewFamily(s, parent, 0, {person(1860)});
  const Rin laterFamily = person();  // childless, then a child without any estimate
  NewFamily(s, laterFamily, 0);
  NewFamily(s, laterFamily, 0, {person()});
  NewFamily(s, laterFamily, 0, {person(1870)});
  const Rin secondChildOnly = person();  // only first children are asked
  NewFamily(s, secondChildOnly, 0, {person(), person(1865)});
  const Rin withFather = person();
  NewFamily(s, person(1800), person(1810, 'F'), {withFather});
  const Rin withMother = person();
  NewFamily(s, person(), person(1805, 'F'), {withMother});
  const Rin withWife = person();
  NewFamily(s, withWife, person(1830, 'F'));
  const Rin childFirst = person();  // the child's estimate (from its mother) beats the wife
  NewFamily(s, childFirst, person(1830, 'F'), {person()});
  const Rin grandparent = person();
  const Rin son = person();
  NewFamily(s, grandparent, 0, {son});
  NewFamily(s, son, 0, {person(1900)});
  const Rin parentInLaw = person();
  const Rin daughter = person(0, 'F');
  NewFamily(s, 0, parentInLaw, {daughter});
  NewFamily(s, person(1880), daughter);

  struct Case {
    Rin rin;
    int expected;
  };
  for (const Case c : {Case{own, 1801}, Case{christened, 1790}, Case{married, 1830},
                       Case{parent, 1835}, Case{laterFamily, 1845}, Case{secondChildOnly, 0},
                       Case{withFather, 1820}, Case{withMother, 1825}, Case{withWife, 1830},
                       Case{childFirst, 1825}, Case{grandparent, 1850}, Case{parentInLaw, 1855},
                       Case{person(), 0}, Case{0, 0}, Case{99'999, 0}}) {
    EXPECT_EQ(EstimatedBirthYear(s, c.rin), c.expected) << c.rin;
  }
}

TEST(Accessors, EstimatedBirthYearEndsOnCyclesAndVeryLongLines) {
  Store store;
  const Rin self = NewPerson(store, "S", "X", 'M');  // their own child
  NewFamily(store, self, 0, {self});
  EXPECT_EQ(EstimatedBirthYear(store, self), 0);

  // a -> b -> a, and behind the loop a dated grandchild in b's second family.
  const Rin a = NewPerson(store, "A", "X", 'M');
  const Rin b = NewPerson(store, "B", "X", 'M');
  const Rin d = NewPerson(store, "D", "X");
  SetEvent(store, d, Event::Birth, Date(1900));
  NewFamily(store, a, 0, {b});
  NewFamily(store, b, 0, {a});
  NewFamily(store, b, 0, {d});
  EXPECT_EQ(EstimatedBirthYear(store, a), 1850);

  Store line;  // 100,000 generations without a single date
  constexpr int kGenerations = 100'000;
  line.EnsurePersonCount(kGenerations);
  for (Rin rin = 1; rin <= kGenerations; ++rin) line.personTable[rin].flags = PresentFlag;
  for (Rin rin = 1; rin < kGenerations; ++rin) NewFamily(line, rin, 0, {rin + 1});
  EXPECT_EQ(EstimatedBirthYear(line, 1), 0);
}

}  // namespace
}  // namespace korvane
