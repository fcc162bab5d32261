#include "store/compare_persons.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "store_fixture.h"

namespace korvane {
namespace {

using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

PackedDate Date(int year, int month = 0, int day = 0) { return PackedDate::Make(year, month, day); }

int Sign(int value) { return (value > 0) - (value < 0); }

// Text results are checked by sign only, numeric ones exactly.
struct Case {
  Rin a;
  Rin b;
  int key;
  int expected;
  bool signOnly = false;
};

void ExpectCases(const Store& store, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const int result = ComparePersons(store, c.a, c.b, c.key);
    EXPECT_EQ(c.signOnly ? Sign(result) : result, c.expected)
        << "key " << c.key << " on " << c.a << ", " << c.b;
  }
}

Case Text(Rin a, Rin b, int key, int sign) { return {a, b, key, sign, true}; }

TEST(ComparePersons, RinKeyIsTheDifference) {
  const Store store;
  ExpectCases(store, {{3, 7, kSortByRin, -4}, {7, 3, kSortByRin, 4}, {5, 5, kSortByRin, 0}});
}

TEST(ComparePersons, NameKeysCompareFoldedTextsWithMissingOnesFirst) {
  Store s;
  const Rin annaMaier = NewPerson(s, "Anna", "Maier");
  const Rin bertaMaier = NewPerson(s, "Berta", "Maier");
  const Rin annaHuber = NewPerson(s, "Anna", "Huber");
  const Rin shouted = NewPerson(s, "anna", "MAIER");
  const Rin umlaut = NewPerson(s, "\xC3\x84nna", "Maier");  // Ä folds to a
  const Rin noSurname = NewPerson(s, "Anna", nullptr);
  const Rin nothing = NewPerson(s, nullptr, nullptr);
  const Rin nothingEither = NewPerson(s, nullptr, nullptr);
  ExpectCases(s, {
                     Text(annaMaier, bertaMaier, kSortByName, -1),
                     Text(bertaMaier, annaMaier, kSortByName, 1),
                     Text(annaMaier, annaHuber, kSortByName, 1),
                     Text(annaMaier, shouted, kSortByName, 0),
                     Text(annaMaier, umlaut, kSortByName, 0),
                     Text(annaMaier, annaMaier, kSortByName, 0),
                     Text(noSurname, annaHuber, kSortByName, -1),
                     Text(annaHuber, noSurname, kSortByName, 1),
                     Text(nothing, nothingEither, kSortByName, 0),
                     Text(nothing, noSurname, kSortByName, -1),
                     Text(annaMaier, annaHuber, kSortByGivenNames, 1),
                     Text(annaHuber, bertaMaier, kSortByGivenNames, -1),
                     Text(noSurname, annaHuber, kSortByGivenNames, -1),
                     Text(nothing, nothingEither, kSortByGivenNames, 0),
                     Text(nothing, noSurname, kSortByGivenNames, -1),
                     Text(noSurname, nothing, kSortByGivenNames, 1),
                 });
}

TEST(ComparePersons, YearKeysPutEarlierFirstThenCompareNames) {
  Store s;
  const Rin p1801 = NewPerson(s, "Anna", "Maier");
  SetEvent(s, p1801, Event::Birth, Date(1801, 5, 12));
  SetEvent(s, p1801, Event::Death, Date(1870));
  NewFamily(s, 0, p1801, {}, Date(1825));
  const Rin p1790 = NewPerson(s, "Anna", "Maier");
  SetEvent(s, p1790, Event::Birth, Date(1790));
  SetEvent(s, p1790, Event::Death, Date(1850));
  NewFamily(s, 0, p1790, {}, Date(1820));
  const Rin christened = NewPerson(s, "Anna", "Maier");
  SetEvent(s, christened, Event::Chr, Date(1795));
  SetEvent(s, christened, Event::Burial, Date(1860));
  const Rin twin = NewPerson(s, "Anna", "Huber");
  SetEvent(s, twin, Event::Birth, Date(1801));
  SetEvent(s, twin, Event::Death, Date(1870));
  const Rin undated = NewPerson(s, "Anna", "Maier");
  NewFamily(s, 0, undated);  // married, year unknown
  const Rin bornOnly = NewPerson(s, "Anna", "Maier");
  SetEvent(s, bornOnly, Event::Birth, Date(1805));

  ExpectCases(s, {
                     {p1801, p1790, kSortByBirthYear, -11},
                     {p1790, p1801, kSortByBirthYear, 11},
                     {p1801, christened, kSortByBirthYear, -6},
                     {undated, p1801, kSortByBirthYear, 1801},
                     Text(p1801, twin, kSortByBirthYear, 1),
                     {p1801, p1790, kSortByDeathYear, -20},
                     {p1801, christened, kSortByDeathYear, -10},
                     {undated, p1801, kSortByDeathYear, 1870},
                     Text(twin, p1801, kSortByDeathYear, -1),
                     // Ages: 69 against 60 and 65 years.
                     {p1801, p1790, kSortByAgeAtDeath, 9},
                     {p1801, christened, kSortByAgeAtDeath, 4},
                     {p1801, undated, kSortByAgeAtDeath, 0},
                     {bornOnly, p1801, kSortByAgeAtDeath, 0},
                     {p1801, bornOnly, kSortByAgeAtDeath, 0},
                     // Married at 24 against 30.
                     {p1801, p1790, kSortByAgeAtMarriage, -6},
                     {p1790, p1801, kSortByAgeAtMarriage, 6},
                     {p1801, christened, kSortByAgeAtMarriage, 0},
                     {undated, p1801, kSortByAgeAtMarriage, 0},
                     {p1801, bornOnly, kSortByAgeAtMarriage, 0},
                 });
}

TEST(ComparePersons, MarriageYearKeyPutsPersonsWithoutFamilyFirst) {
  Store s;
  const Rin single = NewPerson(s, "Otto", "Roth");
  const Rin alsoSingle = NewPerson(s, "Anna", "Bauer");
  const Rin married1825 = NewPerson(s, "Karl", "Maier");
  NewFamily(s, married1825, 0, {}, Date(1825));
  const Rin married1820 = NewPerson(s, "Karl", "Huber");
  NewFamily(s, married1820, 0, {}, Date(1820));
  NewFamily(s, married1820, 0, {}, Date(1850));  // only the first family counts
  const Rin marriedUndated = NewPerson(s, "Karl", "Roth");
  NewFamily(s, marriedUndated, 0);
  const Rin alsoIn1825 = NewPerson(s, "Karl", "Albers");
  NewFamily(s, alsoIn1825, 0, {}, Date(1825, 7));

  ExpectCases(s, {
                     {single, alsoSingle, kSortByMarriageYear, -1},
                     {alsoSingle, single, kSortByMarriageYear, -1},
                     {single, single, kSortByMarriageYear, -1},
                     {single, married1825, kSortByMarriageYear, -1},
                     {married1825, single, kSortByMarriageYear, 1},
                     {married1825, married1820, kSortByMarriageYear, -5},
                     {married1820, married1825, kSortByMarriageYear, 5},
                     {marriedUndated, married1820, kSortByMarriageYear, 1820},
                     Text(married1825, alsoIn1825, kSortByMarriageYear, 1),
                 });
}

TEST(ComparePersons, PlaceKeysFallBackToTheSecondEventThenToTheYearKeys) {
  Store s;
  const Rin ulm1801 = NewPerson(s, "Anna", "Maier");
  SetEvent(s, ulm1801, Event::Birth, Date(1801), "Ulm");
  SetEvent(s, ulm1801, Event::Death, Date(1870), "Wien");
  NewFamily(s, 0, ulm1801, {}, Date(1825), "Ulm");
  const Rin ulm1790 = NewPerson(s, "Anna", "Maier");
  SetEvent(s, ulm1790, Event::Birth, Date(1790), "Ulm");
  SetEvent(s, ulm1790, Event::Death, Date(1850), "Wien");
  NewFamily(s, 0, ulm1790, {}, Date(1820), "Ulm");
  const Rin augsburg = NewPerson(s, "Anna", "Maier");
  SetEvent(s, augsburg, Event::Chr, Date(1795), "Augsburg");
  SetEvent(s, augsburg, Event::Burial, Date(1860), "Dachau");
  NewFamily(s, 0, augsburg, {}, Date(1830), "Augsburg");
  const Rin bornInUlm = NewPerson(s, "Anna", "Maier");
  SetEvent(s, bornInUlm, Event::Birth, Date(1795), "Ulm");
  SetEvent(s, bornInUlm, Event::Chr, Date(1795), "Augsburg");  // the birth place wins
  const Rin nowhere = NewPerson(s, "Anna", "Maier");

  ExpectCases(s, {
                     Text(ulm1801, augsburg, kSortByBirthPlace, 1),
                     Text(nowhere, augsburg, kSortByBirthPlace, -1),
                     Text(augsburg, nowhere, kSortByBirthPlace, 1),
                     {ulm1801, ulm1790, kSortByBirthPlace, -11},
                     {bornInUlm, ulm1790, kSortByBirthPlace, -5},
                     Text(ulm1801, augsburg, kSortByDeathPlace, 1),  // Wien, Dachau
                     Text(nowhere, augsburg, kSortByDeathPlace, -1),
                     {ulm1801, ulm1790, kSortByDeathPlace, -20},
                     Text(ulm1801, augsburg, kSortByMarriagePlace, 1),
                     {ulm1801, ulm1790, kSortByMarriagePlace, -5},
                     Text(nowhere, ulm1801, kSortByMarriagePlace, -1),
                 });
}

TEST(ComparePersons, HusbandSurnameKeyIsZeroWhereAHusbandOrHisSurnameIsMissing) {
  Store s;
  const Rin maier = NewPerson(s, "Karl", "Maier", 'M');
  const Rin otherMaier = NewPerson(s, "Otto", "Maier", 'M');
  const Rin huber = NewPerson(s, "Karl", "Huber", 'M');
  const Rin nameless = NewPerson(s, "Karl", nullptr, 'M');
  const Rin wife = NewPerson(s, "Anna", "Bauer", 'F');
  const Mrin fMaier = NewFamily(s, maier, wife);
  const Mrin fOtherMaier = NewFamily(s, otherMaier, 0);
  const Mrin fHuber = NewFamily(s, huber, 0);
  const Mrin fNoHusband = NewFamily(s, 0, wife);
  const Mrin fNameless = NewFamily(s, nameless, 0);

  ExpectCases(s, {
                     Text(fMaier, fHuber, kSortByHusbandSurname, -1),  // b's against a's
                     Text(fHuber, fMaier, kSortByHusbandSurname, 1),
                     {fMaier, fOtherMaier, kSortByHusbandSurname, 0},
                     {fMaier, fNoHusband, kSortByHusbandSurname, 0},
                     {fNoHusband, fMaier, kSortByHusbandSurname, 0},
                     {fNameless, fHuber, kSortByHusbandSurname, 0},
                 });
}

TEST(ComparePersons, CountKeysSubtractTheCounts) {
  Store s;
  const Rin a = NewPerson(s, "A", "X", 'M');
  const Rin b = NewPerson(s, "B", "X", 'M');
  const Rin none = NewPerson(s, "N", "X", 'M');
  const Rin c1 = NewPerson(s, "C1", "X");
  const Rin c2 = NewPerson(s, "C2", "X");
  const Rin c3 = NewPerson(s, "C3", "X");
  NewFamily(s, a, 0, {c1});
  NewFamily(s, a, 0, {c1, c2, c3});  // the largest family need not be the first
  NewFamily(s, b, 0, {c2, c3});
  NewFamily(s, 0, 0, {a});

  ExpectCases(s, {
                     {a, b, kSortByChildCount, 1},
                     {none, b, kSortByChildCount, -2},
                     {a, b, kSortByFamsCount, 1},
                     {none, a, kSortByFamsCount, -2},
                     {a, b, kSortByFamcCount, 1},
                     {c1, none, kSortByFamcCount, 2},
                 });
}

TEST(ComparePersons, DateKeysAnswerOneWhenAIsEarlierAndNeverNegative) {
  Store s;
  const Rin may12 = NewPerson(s, "A", "X");
  SetEvent(s, may12, Event::Birth, Date(1801, 5, 12));
  SetEvent(s, may12, Event::Death, Date(1870, 3, 2));
  const Rin may13 = NewPerson(s, "B", "X");
  SetEvent(s, may13, Event::Birth, Date(1801, 5, 13));
  SetEvent(s, may13, Event::Burial, Date(1870, 3, 1));  // the burial stands in for the death
  const Rin christened = NewPerson(s, "C", "X");
  SetEvent(s, christened, Event::Birth, Date(0, 4));  // no year: the christening counts
  SetEvent(s, christened, Event::Chr, Date(1790));
  const Rin undated = NewPerson(s, "D", "X");
  const Mrin early = NewFamily(s, may12, 0, {}, Date(1825, 6));
  const Mrin late = NewFamily(s, may13, 0, {}, Date(1825, 7));
  const Mrin unknown = NewFamily(s, 0, 0);

  ExpectCases(s, {
                     {may12, may13, kSortByBirthDate, 1},
                     {may13, may12, kSortByBirthDate, 0},
                     {christened, may12, kSortByBirthDate, 1},
                     {may12, christened, kSortByBirthDate, 0},
                     {undated, may12, kSortByBirthDate, 0},
                     {may12, undated, kSortByBirthDate, 0},
                     {may13, may12, kSortByDeathDate, 1},
                     {may12, may13, kSortByDeathDate, 0},
                     {early, late, kSortByMarriageDate, 1},
                     {late, early, kSortByMarriageDate, 0},
                     {unknown, early, kSortByMarriageDate, 0},
                 });
  for (int key : {kSortByBirthDate, kSortByDeathDate, kSortByMarriageDate}) {
    for (Rin a = 1; a <= 4; ++a) {
      for (Rin b = 1; b <= 4; ++b) EXPECT_GE(ComparePersons(s, a, b, key), 0);
    }
  }
}

TEST(ComparePersons, UnusedKeysCompareEverythingAsEqual) {
  Store s;
  const Rin a = NewPerson(s, "Anna", "Maier");
  SetEvent(s, a, Event::Birth, Date(1801), "Ulm");
  const Rin b = NewPerson(s, "Berta", "Huber");
  for (int key : {9, 10, 20, 21, -1, 1000}) {
    EXPECT_EQ(ComparePersons(s, a, b, key), 0) << key;
    EXPECT_EQ(ComparePersons(s, b, a, key), 0) << key;
  }
}

TEST(IsLater, ComparesYearThenMonthThenDayWhereBothHaveThem) {
  struct LaterCase {
    PackedDate x;
    PackedDate y;
    int expected;
  };
  const LaterCase cases[] = {
      {Date(1850), Date(1849), 1},
      {Date(1849), Date(1850), 0},
      {Date(1850), Date(0), 0},  // a missing year decides nothing
      {Date(0), Date(1850), 0},
      {Date(1850, 6), Date(1850, 5), 1},
      {Date(1850, 5), Date(1850, 6), 0},
      {Date(1850, 6), Date(1850), 0},
      {Date(1850, 5, 13), Date(1850, 5, 12), 1},
      {Date(1850, 5, 12), Date(1850, 5, 13), 0},
      {Date(1850, 5, 13), Date(1850, 5), 0},
      {Date(1850, 6, 12), Date(1850, 0, 15), 0},
      {Date(1850, 6, 1), Date(1850, 5, 30), 1},
      {Date(1851, 1, 1), Date(1850, 12, 31), 1},
      {Date(1850, 12, 31), Date(1851, 1, 1), 0},
      {Date(1850, 5, 12), Date(1850, 5, 12), 0},
      {Date(0, 6), Date(0, 5), 1},  // equal (missing) years, then the months
      {PackedDate::Make(1850, 0, 0, kAbout), Date(1849), 1},
  };
  for (const LaterCase& c : cases) {
    EXPECT_EQ(IsLater(c.x, c.y), c.expected) << c.x.bits << " " << c.y.bits;
  }
}

}  // namespace
}  // namespace korvane
