#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "store/store.h"

namespace korvane {

// The orders the person list can switch to without sorting on a click: one per text
// column, plus one that the date columns share and sort when clicked.
inline constexpr int kSortArrayCount = 6;
inline constexpr int kDateSortArray = 5;
inline constexpr std::array<int, kDateSortArray> kPresortedKeys = {1, 2, 4, 6, 8};

using SortArrays = std::array<std::vector<Rin>, kSortArrayCount>;

// Index of the array that holds the order by `key`, or -1 for RIN order (key 0) and for
// keys that are sorted on demand.
int PresortedArrayOf(int key);

// Sorts one array by `key` in the list's order: an entry goes first when ComparePersons
// gives a positive result for it.
void SortByKey(const Store& store, std::span<Rin> rows, int key);

// The fields of the tables the worker reads, folded into one number.
std::uint64_t TablesFingerprint(const Store& store);

// Runs on its own thread right after a build: copies `rows` into every array (each sized
// like `rows` beforehand), sorts the first five by keys 1, 2, 4, 6, 8, then stores 1 in
// `ready`. It only reads the store and `rows` and writes only the arrays and `ready`.
void SortWorker(const Store& store, std::span<const Rin> rows, SortArrays& arrays,
                std::atomic<int>& ready);

}  // namespace korvane
