#pragma once

namespace korvane {

// The most persons, and the most families, one file may hold.
inline constexpr int kMaxRecordsPerKind = 10'000'000;

}  // namespace korvane
