#include <sys/mman.h>

#include "platform/system_hints.h"

namespace korvane {

void PreferLargePages(void* data, std::size_t bytes) {
  constexpr std::uintptr_t kLargePage = 2u << 20;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace korvane
