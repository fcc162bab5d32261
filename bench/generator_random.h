#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace korvane::bench {

// The raw output of std::mt19937 is fixed by the standard, the distributions are not; the
// generator maps the raw numbers itself so a seed yields the same file with every library.
class GeneratorRandom {
 public:
  explicit GeneratorRandom(std::uint32_t seed) : engine_(seed) {}

  // 0 .. n-1 for n >= 1; the modulo bias is irrelevant for test data.
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(engine_() % n); }
  // lo .. hi inclusive.
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
  }
  bool Percent(int percent) { return static_cast<int>(Below(100)) < percent; }
  bool PerMille(int perMille) { return static_cast<int>(Below(1000)) < perMille; }

  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }
  template <typename T>
  int PickIndex(std::span<const T> items) {
    return static_cast<int>(Below(static_cast<std::uint32_t>(items.size())));
  }

 private:
  std::mt19937 engine_;
};

}  // namespace korvane::bench
