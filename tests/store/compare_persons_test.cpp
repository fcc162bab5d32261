#include "store/compare_persons.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "store_fixture.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

// `expected` is exact for numbers; for texts only its sign counts.
struct Case {
  Rin a;
  Rin b;
  int key;
  int expected;
  bool signOnly = false;
};

Case Sign(Rin a, Rin b, int key, int sign) { return {a, b, key, sign, true}; }

class ComparePersonsTest : public ::testing::Test {
 protected:
  ComparePersonsTest() {
    SetEvent(s, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
    SetEvent(s, johann, Event::Death, Date(1870, 3, 2), "Wien");
    SetEvent(s, anna, Event::Birth, Date(0, 4));  // no year: the christening stands in
    SetEvent(s, anna, Event::Chr, Date(1795), "Augsburg");
    SetEvent(s, anna, Event::Burial, Date(1860, 3, 1), "Dachau");
    SetEvent(s, otto, Event::Birth, Date(1790), "Ulm");
    SetEvent(s, otto, Event::Death, Date(1850), "Wien");
    SetEvent(s, berta, Event::Birth, Date(1795));
    married1825 = NewFamily(s, johann, anna, {berta, shouted, noSurname}, Date(1825, 6), "Ulm");
    married1820 = NewFamily(s, otto, 0, {berta}, Date(1820), "Ulm");
    NewFamily(s, johann, 0);
    noHusband = NewFamily(s, 0, berta, {}, Date(1825, 7), "Augsburg");
    undated = NewFamily(s, shouted, 0);
    namelessHusband = NewFamily(s, noSurname, 0);
  }

  void Expect(std::initializer_list<Case> cases) const {
    for (const Case& c : cases) {
      const int result = ComparePersons(s, c.a, c.b, c.key);
      EXPECT_EQ(c.signOnly ? (result > 0) - (result < 0) : result, c.expected)
          << "key " << c.key << " on " << c.a << ", " << c.b;
    }
  }

  Store s;
  const Rin johann = NewPerson(s, "Johann", "Maier", 'M');
  const Rin anna = NewPerson(s, "Anna", "Huber", 'F');
  const Rin otto = NewPerson(s, "Otto", "Maier", 'M');
  const Rin berta = NewPerson(s, "Berta", "Huber", 'F');
  const Rin shouted = NewPerson(s, "anna", "HUBER");
  const Rin noSurname = NewPerson(s, "Anna", nullptr);
  const Rin nobody = NewPerson(s, nullptr, nullptr);
  const Rin nobodyToo = NewPerson(s, nullptr, nullptr);
  Mrin married1825 = 0, married1820 = 0, noHusband = 0, undated = 0, namelessHusband = 0;
};

TEST_F(ComparePersonsTest, RinKeyIsTheDifference) {
  Expect({{3, 7, kSortByRin, -4}, {7, 3, kSortByRin, 4}, {5, 5, kSortByRin, 0}});
}

TEST_F(ComparePersonsTest, NameKeysCompareFoldedTextsWithMissingOnesFirst) {
  Expect({Sign(johann, otto, kSortByName, -1), Sign(johann, anna, kSortByName, 1),
          Sign(anna, shouted, kSortByName, 0), Sign(nobody, nobodyToo, kSortByName, 0),
          Sign(nobody, noSurname, kSortByName, -1), Sign(noSurname, anna, kSortByName, -1),
          Sign(anna, noSurname, kSortByName, 1), Sign(anna, johann, kSortByGivenNames, -1),
          Sign(noSurname, anna, kSortByGivenNames, -1),
          Sign(nobody, nobodyToo, kSortByGivenNames, 0),
          Sign(noSurname, nobody, kSortByGivenNames, 1)});
}

TEST_F(ComparePersonsTest, YearAndPlaceKeysPutEarlierFirstThenFallBack) {
  Expect({{johann, otto, kSortByBirthYear, -11},
          {johann, anna, kSortByBirthYear, -6},  // christening year
          {nobody, johann, kSortByBirthYear, 1801},
          Sign(anna, berta, kSortByBirthYear, -1),  // same year: by name
          {johann, otto, kSortByDeathYear, -20},
          {johann, anna, kSortByDeathYear, -10},  // burial year
          {nobody, johann, kSortByDeathYear, 1870},
          Sign(johann, anna, kSortByBirthPlace, 1),  // Ulm against christened in Augsburg
          Sign(nobody, anna, kSortByBirthPlace, -1),
          Sign(berta, johann, kSortByBirthPlace, -1),
          {johann, otto, kSortByBirthPlace, -11},    // same place: by birth year
          Sign(johann, anna, kSortByDeathPlace, 1),  // Wien against buried in Dachau
          Sign(nobody, johann, kSortByDeathPlace, -1),
          {johann, otto, kSortByDeathPlace, -20},
          Sign(johann, berta, kSortByMarriagePlace, 1),
          Sign(shouted, johann, kSortByMarriagePlace, -1),
          Sign(nobody, johann, kSortByMarriagePlace, -1),
          {johann, otto, kSortByMarriagePlace, -5}});
}

TEST_F(ComparePersonsTest, MarriageYearKeyPutsPersonsWithoutFamilyFirst) {
  Expect({{nobody, nobodyToo, kSortByMarriageYear, -1},
          {nobodyToo, nobody, kSortByMarriageYear, -1},
          {nobody, johann, kSortByMarriageYear, -1},
          {johann, nobody, kSortByMarriageYear, 1},
          {johann, otto, kSortByMarriageYear, -5},
          {shouted, otto, kSortByMarriageYear, 1820},
          Sign(anna, johann, kSortByMarriageYear, -1),
          Sign(johann, berta, kSortByMarriageYear, 1)});
}

TEST_F(ComparePersonsTest, HusbandSurnameKeyIsZeroWhereAHusbandOrHisSurnameIsMissing) {
  Expect({Sign(married1825, undated, kSortByHusbandSurname, -1),  // b's against a's
          Sign(undated, married1825, kSortByHusbandSurname, 1),
          {married1825, married1820, kSortByHusbandSurname, 0},
          {married1825, noHusband, kSortByHusbandSurname, 0},
          {noHusband, married1825, kSortByHusbandSurname, 0},
          {namelessHusband, married1825, kSortByHusbandSurname, 0}});
}

TEST_F(ComparePersonsTest, CountAndAgeKeysSubtractWithMissingYearsGivingZero) {
  Expect({{johann, otto, kSortByChildCount, 2},
          {nobody, otto, kSortByChildCount, -1},
          {johann, otto, kSortByFamsCount, 1},
          {nobody, johann, kSortByFamsCount, -2},
          {berta, johann, kSortByFamcCount, 2},
          {johann, berta, kSortByFamcCount, -2},
          {johann, otto, kSortByAgeAtDeath, 9},  // 69 against 60
          {johann, anna, kSortByAgeAtDeath, 4},
          {johann, berta, kSortByAgeAtDeath, 0},
          {nobody, johann, kSortByAgeAtDeath, 0},
          {johann, otto, kSortByAgeAtMarriage, -6},  // 24 against 30
          {anna, johann, kSortByAgeAtMarriage, 6},
          {shouted, johann, kSortByAgeAtMarriage, 0},
          {johann, nobody, kSortByAgeAtMarriage, 0}});
}

TEST_F(ComparePersonsTest, DateKeysAnswerOneWhenAIsEarlierAndNeverNegative) {
  Expect({{otto, johann, kSortByBirthDate, 1},
          {johann, otto, kSortByBirthDate, 0},
          {anna, johann, kSortByBirthDate, 1},
          {nobody, johann, kSortByBirthDate, 0},
          {johann, nobody, kSortByBirthDate, 0},
          {anna, johann, kSortByDeathDate, 1},
          {johann, anna, kSortByDeathDate, 0},
          {married1825, noHusband, kSortByMarriageDate, 1},
          {noHusband, married1825, kSortByMarriageDate, 0},
          {undated, married1825, kSortByMarriageDate, 0}});
  for (int key : {kSortByBirthDate, kSortByDeathDate, kSortByMarriageDate}) {
    for (Rin a = 1; a <= 8; ++a) {
      for (Rin b = 1; b <= 8; ++b) EXPECT_GE(ComparePersons(s, a, b, key), 0);
    }
  }
}

TEST_F(ComparePersonsTest, UnusedKeysCompareEverythingAsEqual) {
  for (int key : {9, 10, 20, 21, -1, 1000}) {
    Expect({{johann, anna, key, 0}, {anna, nobody, key, 0}});
  }
}

TEST(IsLater, ComparesYearThenMonthThenDayWhereBothHaveThem) {
  using store_test::Date;
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
