#pragma once

namespace korvane {

// The most persons, and the most families, one file may hold.
inline constexpr int kMaxRecordsPerKind = 10'000'000;

// The tables are indexed by record number, so one record numbered @I9999999@ would make a
// table of ten million persons. A record keeps the number in its cross-reference only
// while that number is at most twice the number of records of its kind plus this much;
// a record with a higher number gets a fresh one, like a record with none, and is
// reported. Gaps that deleted records leave in the numbers stay far below that.
inline constexpr int kFreelyKeptNumbers = 65'536;

}  // namespace korvane
