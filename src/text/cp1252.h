#pragma once

#include <cstdint>
#include <optional>

namespace korvane {

// Code page 1252 as a reversible mapping of all 256 byte values: the five bytes the
// code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code points of the
// same value, so every byte survives a round trip through Unicode.
char32_t Cp1252ToUnicode(std::uint8_t byte);

// The byte for a code point, or none when code page 1252 cannot represent it.
std::optional<std::uint8_t> UnicodeToCp1252(char32_t ch);

}  // namespace korvane
