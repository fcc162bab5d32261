// Reading the records: accessors, the estimated birth year, edited dates, the comparison
// of persons by every key, and the sort that uses it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <random>
#include <span>
#include <utility>
#include <vector>

#include "platform/scripted_ui.h"
#include "store/accessors.h"
#include "store/compare_persons.h"
#include "store/diagnostics.h"
#include "store/set_event_date.h"
#include "store/sex.h"
#include "store/sort_records.h"
#include "store_fixture.h"

namespace korvane::store_test {
namespace {

TEST(Accessors, RelativesAndExistence) {
  ScriptedUi ui;
  Diagnostics diagnostics(ui);
  Store s;
  const Rin father = NewPerson(s, "Johann", "Maier", 'M');
  const Rin mother = NewPerson(s, "Anna", "Huber", 'F');
  const Rin unknown = NewPerson(s, "Kim", "Bauer");
  const Rin lowerCase = NewPerson(s, "Eva", "Bauer", 'f');
  const Rin child = NewPerson(s, "Karl", "Maier", 'M');
  NewFamily(s, father, mother, {child});
  NewFamily(s, 0, lowerCase, {child});
  NewFamily(s, father, unknown);
  EXPECT_EQ(FatherOf(s, child, 0), father);
  EXPECT_EQ(MotherOf(s, child, 1), lowerCase);
  EXPECT_EQ(SpouseOf(s, mother, 0), father);
  // Without "F" a person counts as husband, also where it is the family's wife; "f" is
  // a woman, whose spouse is the family's husband (none here).
  EXPECT_EQ(SpouseOf(s, unknown, 0), unknown);
  EXPECT_EQ(SpouseOf(s, lowerCase, 0), 0);
  EXPECT_EQ(SpouseOf(s, father, 2), 0);
  EXPECT_TRUE(ui.Boxes().empty());  // an index past the end is no list fault here

  s.EnsurePersonCount(7);            // numbers the file never defined
  s.personTable[unknown].flags = 0;  // deleted
  for (Rin rin : {INT_MIN, 0, unknown, 7, INT_MAX}) EXPECT_FALSE(PersonExists(s, rin)) << rin;
  EXPECT_TRUE(PersonExists(s, child));
}

TEST(Sex, LettersOfEitherCaseNameTheirSexAndEveryOtherByteNone) {
  std::string normalized;
  for (const char letter : std::string("MmFfUuWx?\0", 10)) {
    normalized += NormalizedSex(letter) == 0 ? '-' : NormalizedSex(letter);
  }
  EXPECT_EQ(normalized, "MMFF------");
  EXPECT_TRUE(IsMale('m') && IsFemale('f') && !IsMale('F') && !IsFemale('U') && !IsMale(0));
  // The letter kept from a SEX line: the first byte as it is, unless it is not ASCII.
  EXPECT_EQ(std::string({SexLetterOfValue("m"), SexLetterOfValue("F x"), SexLetterOfValue(""),
                         SexLetterOfValue("\xC3\x9C")}),
            std::string("mF\0?", 4));
}

TEST(Accessors, EstimatedBirthYearTriesSixSourcesInOrderAndEndsOnCyclesAndLongLines) {
  Store s;
  const auto person = [&s](int born = 0, char sex = 'M') {
    const Rin rin = NewPerson(s, "P", "X", sex);
    if (born != 0) SetEvent(s, rin, Event::Birth, Date(born));
    return rin;
  };
  const Rin own = person(1801);  // 1. own birth, before the marriage
  NewFamily(s, own, 0, {}, Date(1850));
  const Rin married = person();  // 2. first marriage - 20, before a child
  NewFamily(s, married, 0, {person(1860)}, Date(1850));
  NewFamily(s, married, 0, {}, Date(1800));
  const Rin laterFamily = person();  // 3. first children - 25, family by family
  NewFamily(s, laterFamily, 0);
  NewFamily(s, laterFamily, 0, {person(1870)});
  const Rin withFather = person();  // 4. father + 20, before the mother
  NewFamily(s, person(1800), person(1810, 'F'), {withFather});
  const Rin withMother = person();  // 5. mother + 20
  NewFamily(s, person(), person(1805, 'F'), {withMother});
  const Rin withWife = person();  // 6. spouse
  NewFamily(s, withWife, person(1830, 'F'));
  const Rin a = person(), b = person();  // a -> b -> a, and a grandchild in b's second family
  NewFamily(s, a, 0, {b});
  NewFamily(s, b, 0, {a});
  NewFamily(s, b, 0, {person(1900)});

  const std::pair<Rin, int> cases[] = {{own, 1801},        {married, 1830},    {laterFamily, 1845},
                                       {withFather, 1820}, {withMother, 1825}, {withWife, 1830},
                                       {a, 1850},          {person(), 0}};
  for (const auto& [rin, expected] : cases) EXPECT_EQ(EstimatedBirthYear(s, rin), expected) << rin;
  Store line;  // 100,000 generations without a single date: no stack overflow
  for (Rin rin = 1; rin <= 100'000; ++rin) line.AddPerson();
  for (Rin rin = 1; rin < 100'000; ++rin) NewFamily(line, rin, 0, {rin + 1});
  EXPECT_EQ(EstimatedBirthYear(line, 1), 0);
}

TEST(SetEventDate, StoresOnlyAChangedTextAndTheHasDateBitFollowsTheResult) {
  const auto set = [](PackedDate date, const char* text) {
    std::uint32_t flags = HasWifeFlag | (date.IsEmpty() ? 0 : HasMarriageDateFlag);
    SetEventDate(date, flags, text, HasMarriageDateFlag);
    return std::make_pair(date, flags);
  };
  const PackedDate about = PackedDate::Make(1850, 5, 12, kAbout);
  const std::uint32_t dated = HasWifeFlag | HasMarriageDateFlag;
  EXPECT_EQ(set(about, "UNG 12 MAI 1850"), std::make_pair(about, dated));  // the text shown
  EXPECT_EQ(set({}, "ABT 1825"),
            std::make_pair(PackedDate::Make(1825, 0, 0, kAbout), dated | ChangedFlag));
  // A rejected text keeps the parse-failed bit for the plausibility check.
  EXPECT_EQ(set(about, "BET 1850 AND 1860"),
            std::make_pair(PackedDate{PackedDate::kParseFailedBit}, HasWifeFlag | ChangedFlag));
}

TEST(ComparePersons, EveryKey) {
  Store s;
  const Rin johann = NewPerson(s, "Johann", "Maier", 'M');
  const Rin anna = NewPerson(s, "Anna", "Huber", 'F');
  const Rin adam = NewPerson(s, "Adam", "Maier", 'M');
  const Rin berta = NewPerson(s, "Berta", "Huber", 'F');
  const Rin shouted = NewPerson(s, "anna", "HUBER");
  const Rin noGivenNames = NewPerson(s, nullptr, "Zeller");
  SetEvent(s, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
  SetEvent(s, johann, Event::Death, Date(1870, 3, 2), "Wien");
  SetEvent(s, anna, Event::Birth, Date(0, 4));  // no year: the christening stands in
  SetEvent(s, anna, Event::Chr, Date(1795), "Augsburg");
  SetEvent(s, anna, Event::Burial, Date(1860, 3, 1), "Dachau");
  SetEvent(s, adam, Event::Birth, Date(1790), "Ulm");
  SetEvent(s, adam, Event::Death, Date(1850), "Wien");
  const Mrin m1825 =
      NewFamily(s, johann, anna, {berta, shouted, noGivenNames}, Date(1825, 6), "Ulm");
  NewFamily(s, adam, 0, {berta}, Date(1820), "Ulm");
  NewFamily(s, johann, 0);
  const Mrin noHusband = NewFamily(s, 0, berta, {}, Date(1825, 7), "Augsburg");
  const Mrin undated = NewFamily(s, shouted, 0);

  // Rows with `sign` set compare texts, where only the sign of the result counts.
  struct Case {
    int key;
    Rin a, b;
    int expected;
    bool sign = false;
  };
  const Case cases[] = {
      {kSortByRin, 3, 7, -4},
      {kSortByName, adam, berta, 1, true},                // surnames first
      {kSortByGivenNames, noGivenNames, anna, -1, true},  // a missing text comes first
      {kSortByBirthYear, johann, anna, -6},               // christening year
      {kSortByBirthPlace, johann, adam, -11},             // same place: by birth year
      {kSortByDeathYear, johann, anna, -10},              // burial year
      {kSortByDeathPlace, johann, anna, 1, true},         // Wien against buried in Dachau
      {kSortByMarriageYear, johann, adam, -5},
      {kSortByMarriagePlace, johann, berta, 1, true},     // Ulm against Augsburg
      {kSortByHusbandSurname, m1825, undated, -1, true},  // b's against a's
      {kSortByChildCount, johann, adam, 2},               // the largest family counts
      {kSortByFamsCount, johann, adam, 1},
      {kSortByFamcCount, berta, johann, 2},
      {kSortByAgeAtDeath, johann, adam, 9},        // 69 against 60
      {kSortByAgeAtMarriage, johann, adam, -6},    // 24 against 30
      {kSortByBirthDate, adam, johann, 1},         // 1 when a is earlier, never negative
      {kSortByDeathDate, anna, johann, 1},         // burial date
      {kSortByMarriageDate, m1825, noHusband, 1},  // same year, earlier month
  };
  for (const Case& c : cases) {
    const int result = ComparePersons(s, c.a, c.b, c.key);
    EXPECT_EQ(c.sign ? (result > 0) - (result < 0) : result, c.expected)
        << "key " << c.key << " on " << c.a << ", " << c.b;
  }
}

using Items = std::vector<std::int32_t>;
using Compare = std::function<int(std::int32_t, std::int32_t, int)>;

// Sorts a copy; the result must hold the same items.
Items Sorted(const Items& input, const Compare& compare, int key) {
  Items items = input;
  SortRecords(std::span<std::int32_t>(items), 0, static_cast<int>(items.size()) - 1, key, compare);
  Items a = input, b = items;
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  EXPECT_EQ(a, b) << "not a permutation";
  return items;
}

TEST(SortRecords, OrdersEveryShapeOfInputAndSurvivesInconsistentComparisons) {
  std::mt19937 rng(4711);
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % n); };
  constexpr int kPersons = 1000;
  Store store;  // names from small sets (some missing) and whole dates: many equal items
  const char* const surnames[] = {"Maier", "M\xC3\xBCller", "maier", "Huber", nullptr};
  for (int i = 0; i < kPersons; ++i) {
    const Rin rin = NewPerson(store, "Anna", surnames[pick(5)]);
    SetEvent(store, rin, Event::Birth, Date(1700 + pick(200), 1 + pick(12), 1 + pick(28)));
  }
  const Compare compare = [&store](std::int32_t a, std::int32_t b, int key) {
    return ComparePersons(store, a, b, key);
  };
  Items random(kPersons);
  for (std::int32_t& item : random) item = 1 + pick(kPersons);
  for (int key : {kSortByRin, kSortByName, kSortByBirthDate}) {
    const Items sorted = Sorted(random, compare, key);
    const Items reversed(sorted.rbegin(), sorted.rend());
    for (const Items& input : {random, sorted, reversed, Items(kPersons, 7)}) {
      const Items items = Sorted(input, compare, key);
      for (std::size_t i = 1; i < items.size(); ++i) {
        ASSERT_GE(compare(items[i - 1], items[i], key), 0) << "key " << key << " at " << i;
      }
    }
  }
  // Inconsistent comparisons neither crash nor lose items.
  Sorted(
      random, [&](std::int32_t, std::int32_t, int) { return pick(3) - 1; }, 0);
}

}  // namespace
}  // namespace korvane::store_test
