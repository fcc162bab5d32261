#include "platform/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace korvane {
namespace {

TEST(RunInParallel, RunsEveryIndexAndPassesOnWhatOneThrew) {
  std::atomic<int> sum = 0;
  RunInParallel(5, [&](std::size_t i) { sum += static_cast<int>(i) + 1; });
  EXPECT_EQ(sum, 15);
  RunInParallel(0, [&](std::size_t) { sum = -1; });
  EXPECT_EQ(sum, 15);
  EXPECT_THROW(RunInParallel(3,
                             [](std::size_t i) {
                               if (i == 2) throw std::runtime_error("part 2");
                             }),
               std::runtime_error);
}

}  // namespace
}  // namespace korvane
