#pragma once

#include <array>

namespace korvane {

// Where the three status bar parts end for a client width: a quarter, three quarters and
// the full width (integer arithmetic, as the window resizes).
inline std::array<int, 3> StatusPartEnds(int width) { return {width / 4, 3 * width / 4, width}; }

}  // namespace korvane
