#pragma once

#include <cstdint>

namespace korvane {

// Record numbers of persons (RIN) and families (MRIN); 0 means "none".
using Rin = std::int32_t;
using Mrin = std::int32_t;

}  // namespace korvane
