#pragma once

#include <string_view>

namespace korvane {

// The slot of a level-1 line in a rebuilt record: rebuilt records list their lines in
// the order of the standard's record layouts. 60 takes every tag without a slot of its own.
inline constexpr int kOtherTagsSlot = 60;
inline constexpr int kSlotCount = 61;

int TagCode(std::string_view tag, bool family);

}  // namespace korvane
