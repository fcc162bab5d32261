#pragma once

#include <cstdint>

namespace korvane {

// Flag word of a person. The presence bits mirror the fields they name; the event table
// (store/events.h) says which bits belong to which event.
inline constexpr std::uint32_t HasGivenNamesFlag = 0x0001;
inline constexpr std::uint32_t HasSurnameFlag = 0x0002;
inline constexpr std::uint32_t HasSexFlag = 0x0004;
inline constexpr std::uint32_t HasBirthDateFlag = 0x0008;
inline constexpr std::uint32_t HasBirthPlaceFlag = 0x0010;
inline constexpr std::uint32_t HasChrDateFlag = 0x0020;
inline constexpr std::uint32_t HasChrPlaceFlag = 0x0040;
inline constexpr std::uint32_t HasDeathDateFlag = 0x0080;
inline constexpr std::uint32_t HasDeathPlaceFlag = 0x0100;
inline constexpr std::uint32_t HasBurialDateFlag = 0x0200;
inline constexpr std::uint32_t HasBurialPlaceFlag = 0x0400;
inline constexpr std::uint32_t SelectedFlag = 0x1000;
inline constexpr std::uint32_t CheckExcludedFlag = 0x2000;

// Flag word of a family.
inline constexpr std::uint32_t HasHusbandFlag = 0x0001;
inline constexpr std::uint32_t HasWifeFlag = 0x0002;
inline constexpr std::uint32_t HasChildrenFlag = 0x0004;
inline constexpr std::uint32_t DivorcedFlag = 0x0008;  // "1 DIV Y"
inline constexpr std::uint32_t HasMarriageDateFlag = 0x1000;
inline constexpr std::uint32_t HasMarriagePlaceFlag = 0x2000;

// Shared by both records.
inline constexpr std::uint32_t ChangedFlag = 0x4000;
inline constexpr std::uint32_t PresentFlag = 0x8000;

}  // namespace korvane
