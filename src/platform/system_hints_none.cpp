#include "platform/system_hints.h"

namespace korvane {

void PreferLargePages(void*, std::size_t) {}

}  // namespace korvane
