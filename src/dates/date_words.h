#pragma once

#include <array>

namespace korvane {

// The words of both date forms, upper case, indexed by qualifier or month (index 0 unused).
inline constexpr std::array<const char*, 5> kGedcomQualifierWords = {"", "BEF", "AFT", "ABT",
                                                                     "CAL"};
inline constexpr std::array<const char*, 5> kDisplayQualifierWords = {"", "VOR", "NAC", "UNG",
                                                                      "BER"};
inline constexpr std::array<const char*, 13> kGedcomMonthWords = {
    "", "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
inline constexpr std::array<const char*, 13> kDisplayMonthWords = {
    "", "JAN", "FEB", "MAR", "APR", "MAI", "JUN", "JUL", "AUG", "SEP", "OKT", "NOV", "DEZ"};

inline constexpr int kMaxQualifier = 4;
inline constexpr int kMaxMonth = 12;
inline constexpr int kMaxDay = 31;
inline constexpr int kMaxYear = 2100;

}  // namespace korvane
