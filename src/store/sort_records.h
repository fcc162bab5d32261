#pragma once

#include <cstdint>
#include <span>
#include <utility>

namespace korvane {

// Sorts items[lo..hi] (both ends inclusive) with compare(a, b, key), where a positive
// result puts `a` first. Afterwards compare(x, y, key) >= 0 for every two neighbours x, y
// when the comparison is consistent. Not stable.
//
// A quicksort with three-way partitioning (equal keys are gathered at both ends during
// the scan and moved to the middle afterwards, so runs of equal keys cost nothing more).
// The pivot is a median of three or of nine, so sorted, reverse and equal input stay
// O(n log n); the smaller side is sorted first and the larger one in the loop, so the
// stack stays O(log n); a heapsort takes over where the splits keep going wrong.
template <typename Compare>
void SortRecords(std::span<std::int32_t> items, int lo, int hi, int key, Compare compare);

namespace sort_detail {

constexpr int kInsertionSortMax = 16;

template <typename Before>
void InsertionSort(std::int32_t* a, int lo, int hi, Before& before) {
  for (int i = lo + 1; i <= hi; ++i) {
    const std::int32_t item = a[i];
    int j = i;
    for (; j > lo && before(item, a[j - 1]); --j) a[j] = a[j - 1];
    a[j] = item;
  }
}

template <typename Before>
void SiftDown(std::int32_t* a, int lo, int root, int size, Before& before) {
  // Max-heap under `before`'s reverse: the item that goes last sits at the root.
  for (;;) {
    int child = 2 * root + 1;
    if (child >= size) return;
    if (child + 1 < size && before(a[lo + child], a[lo + child + 1])) ++child;
    if (!before(a[lo + root], a[lo + child])) return;
    std::swap(a[lo + root], a[lo + child]);
    root = child;
  }
}

template <typename Before>
void HeapSort(std::int32_t* a, int lo, int hi, Before& before) {
  const int size = hi - lo + 1;
  for (int root = size / 2 - 1; root >= 0; --root) SiftDown(a, lo, root, size, before);
  for (int end = size - 1; end > 0; --end) {
    std::swap(a[lo], a[lo + end]);
    SiftDown(a, lo, 0, end, before);
  }
}

template <typename Before>
int MedianOfThree(const std::int32_t* a, int i, int j, int k, Before& before) {
  if (before(a[i], a[j])) {
    if (before(a[j], a[k])) return j;
    return before(a[i], a[k]) ? k : i;
  }
  if (before(a[k], a[j])) return j;
  return before(a[k], a[i]) ? k : i;
}

template <typename Before>
int ChoosePivot(const std::int32_t* a, int lo, int hi, Before& before) {
  const int n = hi - lo + 1;
  const int mid = lo + n / 2;
  if (n <= 40) return MedianOfThree(a, lo, mid, hi, before);
  const int step = n / 8;
  return MedianOfThree(a, MedianOfThree(a, lo, lo + step, lo + 2 * step, before),
                       MedianOfThree(a, mid - step, mid, mid + step, before),
                       MedianOfThree(a, hi - 2 * step, hi - step, hi, before), before);
}

inline void SwapBlocks(std::int32_t* a, int i, int j, int count) {
  for (int k = 0; k < count; ++k) std::swap(a[i + k], a[j + k]);
}

// Partitions a[lo..hi] around the pivot at a[lo] into [lo, *lessEnd] before the pivot,
// the items equal to it, and [*greaterStart, hi] after it. `cmp(x, y)` is the three-way
// comparison; its sign is trusted only as far as a positive value goes, so a comparison
// that never answers negatively (the date keys) is sorted correctly too: a zero is
// confirmed as "equal" by asking the other way round.
template <typename Cmp>
void Partition(std::int32_t* a, int lo, int hi, Cmp& cmp, int* lessEnd, int* greaterStart) {
  const std::int32_t pivot = a[lo];
  int i = lo, j = hi + 1;  // last item classified from the left, first from the right
  int p = lo, q = hi + 1;  // a[lo..p] and a[q..hi] hold items equal to the pivot
  int lastLess = 0;
  for (;;) {
    int ci = 0;
    while (++i < j && (ci = cmp(a[i], pivot)) > 0) {
    }
    if (i >= j) {
      lastLess = j - 1;
      break;
    }
    int cj = 0;
    while (--j > i && (cj = cmp(pivot, a[j])) > 0) {
    }
    if (j == i) {  // a[i] is the last unclassified item; it does not go before the pivot
      if (ci == 0 && cmp(pivot, a[i]) <= 0) {
        std::swap(a[++p], a[i]);  // a[i] now holds an item before the pivot, or p == i
        lastLess = i;
      } else {
        lastLess = i - 1;
      }
      break;
    }
    std::swap(a[i], a[j]);
    if (cj == 0 && cmp(a[i], pivot) <= 0) std::swap(a[++p], a[i]);
    if (ci == 0 && cmp(pivot, a[j]) <= 0) std::swap(a[--q], a[j]);
  }
  // Move the equal blocks from both ends next to each other in the middle.
  const int leftEqual = p - lo + 1, less = lastLess - p;
  const int greater = q - 1 - lastLess, rightEqual = hi - q + 1;
  const int s1 = leftEqual < less ? leftEqual : less;
  SwapBlocks(a, lo, lastLess - s1 + 1, s1);
  const int s2 = greater < rightEqual ? greater : rightEqual;
  SwapBlocks(a, lastLess + 1, hi - s2 + 1, s2);
  *lessEnd = lo + less - 1;
  *greaterStart = hi - greater + 1;
}

}  // namespace sort_detail

template <typename Compare>
void SortRecords(std::span<std::int32_t> items, int lo, int hi, int key, Compare compare) {
  if (lo < 0) lo = 0;
  if (hi >= static_cast<int>(items.size())) hi = static_cast<int>(items.size()) - 1;
  std::int32_t* a = items.data();
  auto cmp = [&](std::int32_t x, std::int32_t y) { return compare(x, y, key); };
  auto before = [&](std::int32_t x, std::int32_t y) { return compare(x, y, key) > 0; };

  int depthBudget = 0;
  for (int n = hi - lo + 1; n > 1; n >>= 1) depthBudget += 2;
  while (hi - lo + 1 > sort_detail::kInsertionSortMax) {
    if (depthBudget-- == 0) {
      sort_detail::HeapSort(a, lo, hi, before);
      return;
    }
    std::swap(a[lo], a[sort_detail::ChoosePivot(a, lo, hi, before)]);
    int lessEnd = 0, greaterStart = 0;
    sort_detail::Partition(a, lo, hi, cmp, &lessEnd, &greaterStart);
    if (lessEnd - lo < hi - greaterStart) {
      SortRecords(items, lo, lessEnd, key, compare);
      lo = greaterStart;
    } else {
      SortRecords(items, greaterStart, hi, key, compare);
      hi = lessEnd;
    }
  }
  if (lo < hi) sort_detail::InsertionSort(a, lo, hi, before);
}

}  // namespace korvane
