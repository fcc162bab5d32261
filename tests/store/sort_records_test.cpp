#include "store/sort_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "store/compare_persons.h"
#include "store_fixture.h"

namespace korvane {
namespace {

using Items = std::vector<std::int32_t>;
using Compare = std::function<int(std::int32_t, std::int32_t, int)>;

enum class Shape { kRandom, kSorted, kReversed, kAllEqual, kFewDistinct };
constexpr Shape kShapes[] = {Shape::kRandom, Shape::kSorted, Shape::kReversed, Shape::kAllEqual,
                             Shape::kFewDistinct};
constexpr int kSizes[] = {0, 1, 2, 17, 1000, 100'000};

// Values from 1..maxValue laid out in the given shape; "sorted" means in the order the
// comparison asks for.
Items MakeItems(Shape shape, int size, std::int32_t maxValue, std::mt19937& rng,
                const Compare& compare, int key) {
  std::uniform_int_distribution<std::int32_t> any(1, maxValue);
  const std::int32_t few[] = {any(rng), any(rng), any(rng)};
  const std::int32_t single = any(rng);
  Items items(static_cast<std::size_t>(size));
  for (std::int32_t& item : items) {
    item = shape == Shape::kAllEqual      ? single
           : shape == Shape::kFewDistinct ? few[rng() % 3]
                                          : any(rng);
  }
  if (shape == Shape::kSorted || shape == Shape::kReversed) {
    std::stable_sort(items.begin(), items.end(),
                     [&](std::int32_t a, std::int32_t b) { return compare(a, b, key) > 0; });
  }
  if (shape == Shape::kReversed) std::reverse(items.begin(), items.end());
  return items;
}

bool IsPermutation(Items before, Items after) {
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  return before == after;
}

// The first neighbour pair out of order, or -1. Both directions are asked, because the
// date keys never answer negatively.
int FirstDisorder(const Items& items, const Compare& compare, int key) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    if (compare(items[i - 1], items[i], key) < 0 || compare(items[i], items[i - 1], key) > 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void SortAndCheck(const Compare& compare, int key, std::int32_t maxValue, std::mt19937& rng) {
  for (Shape shape : kShapes) {
    for (int size : kSizes) {
      SCOPED_TRACE(::testing::Message()
                   << "key " << key << ", shape " << static_cast<int>(shape) << ", size " << size);
      const Items input = MakeItems(shape, size, maxValue, rng, compare, key);
      Items items = input;
      SortRecords(std::span<std::int32_t>(items), 0, size - 1, key, compare);
      ASSERT_TRUE(IsPermutation(input, items));
      ASSERT_EQ(FirstDisorder(items, compare, key), -1);
    }
  }
}

// Persons with names from small sets (some missing) and whole birth dates, so every key
// meets many equal items.
Store MakeStore(int persons, std::mt19937& rng) {
  static const char* const kSurnames[] = {"Maier",         "Huber", "M\xC3\xBCller", "Bauer",
                                          "\xC3\x96ztürk", "maier", nullptr};
  static const char* const kGivenNames[] = {"Anna", "Karl", "\xC3\x84nne", "Johann", nullptr};
  Store store;
  for (int i = 0; i < persons; ++i) {
    const Rin rin = store_test::NewPerson(store, kGivenNames[rng() % 5], kSurnames[rng() % 7]);
    store_test::SetEvent(
        store, rin, store_test::Event::Birth,
        PackedDate::Make(1700 + static_cast<int>(rng() % 200), 1 + static_cast<int>(rng() % 12),
                         1 + static_cast<int>(rng() % 28)));
  }
  return store;
}

TEST(SortRecords, OrdersPersonsByEveryKindOfKey) {
  std::mt19937 rng(4711);
  const Store store = MakeStore(100'000, rng);
  const Compare compare = [&store](std::int32_t a, std::int32_t b, int key) {
    return ComparePersons(store, a, b, key);
  };
  for (int key : {kSortByRin, kSortByName, kSortByBirthYear, kSortByBirthDate}) {
    SortAndCheck(compare, key, store.PersonCount(), rng);
  }

  // A positive result puts the first argument first: 3 - 7 < 0 puts 7 first.
  Items example = {3, 7};
  SortRecords(std::span<std::int32_t>(example), 0, 1, kSortByRin, compare);
  EXPECT_EQ(example, (Items{7, 3}));
}

TEST(SortRecords, OrdersPlainNumbersAndPassesTheKeyThrough) {
  std::mt19937 rng(1);
  const Compare compare = [](std::int32_t a, std::int32_t b, int key) {
    return key == 0 ? b - a : a - b;  // key 0 ascending, key 1 descending
  };
  SortAndCheck(compare, 0, 1'000'000, rng);
  SortAndCheck(compare, 1, 1'000'000, rng);
  Items items = {5, 1, 4, 1, 3};
  SortRecords(std::span<std::int32_t>(items), 0, 4, 1, compare);
  EXPECT_EQ(items, (Items{5, 4, 3, 1, 1}));
}

TEST(SortRecords, LeavesEverythingOutsideTheRangeUntouched) {
  std::mt19937 rng(2);
  Items original(200);
  for (std::int32_t& item : original) item = static_cast<std::int32_t>(rng() % 50);
  const auto ascending = [](std::int32_t a, std::int32_t b, int) { return b - a; };
  struct Range {
    int lo;
    int hi;
  };
  for (const Range range : {Range{10, 59}, Range{0, 199}, Range{0, 0}, Range{150, 199},
                            Range{100, 101}, Range{5, 4}, Range{3, 180}}) {
    SCOPED_TRACE(::testing::Message() << range.lo << ".." << range.hi);
    Items items = original;
    SortRecords(std::span<std::int32_t>(items), range.lo, range.hi, 0, ascending);
    Items expected = original;
    if (range.lo <= range.hi)
      std::sort(expected.begin() + range.lo, expected.begin() + range.hi + 1);
    EXPECT_EQ(items, expected);
  }
}

TEST(SortRecords, InconsistentComparisonsNeitherCrashNorLoseItems) {
  std::mt19937 rng(3);
  std::mt19937 noise(99);
  const std::pair<const char*, Compare> comparisons[] = {
      {"random sign",
       [&noise](std::int32_t, std::int32_t, int) { return static_cast<int>(noise() % 3) - 1; }},
      {"random, never negative",
       [&noise](std::int32_t, std::int32_t, int) { return static_cast<int>(noise() % 2); }},
      {"everything first", [](std::int32_t, std::int32_t, int) { return 1; }},
      {"everything last", [](std::int32_t, std::int32_t, int) { return -1; }},
      {"not even equal to itself",
       [](std::int32_t a, std::int32_t b, int) { return a == b ? 1 : (a < b ? 1 : -1); }},
  };
  for (const auto& [name, compare] : comparisons) {
    for (Shape shape : {Shape::kRandom, Shape::kAllEqual, Shape::kFewDistinct}) {
      for (int size : {2, 17, 1000, 100'000}) {
        SCOPED_TRACE(::testing::Message() << name << ", size " << size);
        const Items input = MakeItems(shape, size, 1'000'000, rng, compare, 0);
        Items items = input;
        SortRecords(std::span<std::int32_t>(items), 0, size - 1, 0, compare);
        ASSERT_TRUE(IsPermutation(input, items));
      }
    }
  }

  // The marriage-year key answers -1 both ways for two persons without a family.
  Store store;
  for (int i = 0; i < 1000; ++i) {
    const Rin rin = store_test::NewPerson(store, "Anna", i % 2 ? "Maier" : "Huber");
    if (i % 3 == 0) store_test::NewFamily(store, 0, rin, {}, PackedDate::Make(1800 + i % 50));
  }
  const Compare byMarriage = [&store](std::int32_t a, std::int32_t b, int key) {
    return ComparePersons(store, a, b, key);
  };
  const Items persons = MakeItems(Shape::kRandom, 1000, 1000, rng, byMarriage, 0);
  Items sorted = persons;
  SortRecords(std::span<std::int32_t>(sorted), 0, 999, kSortByMarriageYear, byMarriage);
  EXPECT_TRUE(IsPermutation(persons, sorted));
}

}  // namespace
}  // namespace korvane
