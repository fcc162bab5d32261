#pragma once

#include <cstddef>

namespace korvane {

// Asks the system to back [data, data + bytes) with large pages where it can: a table or
// buffer of many megabytes is then filled with a few hundred page faults instead of
// thousands. Only a hint; without support for it nothing happens.
void PreferLargePages(void* data, std::size_t bytes);

}  // namespace korvane
