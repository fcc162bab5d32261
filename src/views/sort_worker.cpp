#include "views/sort_worker.h"

#include <algorithm>

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

void SortWorker(const Store& store, std::span<const Rin> rows, SortArrays& arrays,
                std::atomic<int>& ready) {
  for (std::vector<Rin>& array : arrays) std::copy(rows.begin(), rows.end(), array.begin());
  for (std::size_t i = 0; i < kPresortedKeys.size(); ++i) {
    SortByKey(store, arrays[i], kPresortedKeys[i]);
  }
  ready.store(1, std::memory_order_release);
}

}  // namespace korvane
