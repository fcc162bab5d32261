#include "views/sort_worker.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

#include "store/compare_persons.h"
#include "store/sort_records.h"

namespace korvane {

int PresortedArrayOf(int key) {
  const auto* found = std::find(kPresortedKeys.begin(), kPresortedKeys.end(), key);
  return found == kPresortedKeys.end() ? -1 : static_cast<int>(found - kPresortedKeys.begin());
}

void SortByKey(const Store& store, std::span<Rin> rows, int key) {
  if (rows.size() < 2) return;
  SortRecords(rows, 0, static_cast<int>(rows.size()) - 1, key,
              [&store](Rin a, Rin b, int k) { return ComparePersons(store, a, b, k); });
}

// What the worker reads of the tables, folded into one number: where the table lives,
// its size, and each person's sort fields. Debug builds compare it before and after the
// sorting, so a change of the tables under the worker does not go unnoticed.
std::uint64_t TablesFingerprint(const Store& store) {
  std::uint64_t hash = 1469598103934665603ull;
  auto mix = [&hash](std::uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
  mix(reinterpret_cast<std::uintptr_t>(store.personTable.data()));
  mix(store.personTable.size());
  for (const Person& person : store.personTable) {
    mix(person.flags);
    mix(reinterpret_cast<std::uintptr_t>(person.surname));
    mix(reinterpret_cast<std::uintptr_t>(person.givenNames));
    mix(reinterpret_cast<std::uintptr_t>(person.birthPlace));
    mix(reinterpret_cast<std::uintptr_t>(person.deathPlace));
    mix(person.birthDate.bits);
    mix(person.chrDate.bits);
    mix(person.deathDate.bits);
    mix(person.burialDate.bits);
  }
  return hash;
}

void SortWorker(const Store& store, std::span<const Rin> rows, SortArrays& arrays,
                std::atomic<int>& ready) {
#ifndef NDEBUG
  const std::uint64_t before = TablesFingerprint(store);
#endif
  for (std::vector<Rin>& array : arrays) std::copy(rows.begin(), rows.end(), array.begin());
  for (std::size_t i = 0; i < kPresortedKeys.size(); ++i) {
    SortByKey(store, arrays[i], kPresortedKeys[i]);
  }
  assert(TablesFingerprint(store) == before &&
         "the tables changed while the list was presorted: wait for SortReady first");
  ready.store(1, std::memory_order_release);
}

}  // namespace korvane
