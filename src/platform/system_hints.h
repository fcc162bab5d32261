#pragma once

#include <cstddef>
#include <cstdint>

namespace korvane {

// Hints to the operating system that make large files faster to read and write. They
// never change a result; where a system lacks them, they do nothing.

// Asks for [data, data + bytes) to be backed by large pages: a table or buffer of many
// megabytes is then filled with a few hundred page faults instead of thousands.
void PreferLargePages(void* data, std::size_t bytes);

}  // namespace korvane
