#include "platform/system_hints.h"

namespace korvane {

void PreferLargePages(void*, std::size_t) {}

void StartWriteBack(std::FILE*, std::uint64_t, std::uint64_t) {}

}  // namespace korvane
