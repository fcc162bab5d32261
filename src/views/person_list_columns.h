#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "store/store.h"

namespace korvane {

// One column of the person list: its header title and its share of the list's width in
// 1/1024 (the shares add up to 1024).
struct ListColumn {
  const char* title;
  int width;
};

inline constexpr int kPersonListColumnCount = 9;
inline constexpr std::array<ListColumn, kPersonListColumnCount> kPersonListColumns = {{
    {"RIN", 70},
    {"Nachname", 100},
    {"Vornamen", 189},
    {"Geboren", 60},
    {"Geburtsort", 165},
    {"Tod", 60},
    {"Todesort", 165},
    {"Heirat", 60},
    {"Heiratsort", 155},
}};

// The column numbers double as the sort keys of ComparePersons (0 = RIN order).
enum PersonListColumnId : int {
  kRinColumn = 0,
  kSurnameColumn = 1,
  kGivenNamesColumn = 2,
  kBirthYearColumn = 3,
  kBirthPlaceColumn = 4,
  kDeathYearColumn = 5,
  kDeathPlaceColumn = 6,
  kMarriageYearColumn = 7,
  kMarriagePlaceColumn = 8,
};

struct RgbColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend constexpr bool operator==(RgbColour, RgbColour) = default;
};

// Row backgrounds tell men from everyone else at a glance, and the selected persons from
// both.
inline constexpr RgbColour kMaleRowColour{240, 250, 250};
inline constexpr RgbColour kOtherRowColour{250, 240, 250};
inline constexpr RgbColour kMarkedRowColour{255, 240, 190};
inline constexpr RgbColour kPersonListBackground{240, 240, 240};

// Pixel width of a column for a list of the given client width.
inline int PersonListColumnWidth(int column, int clientWidth) {
  if (column < 0 || column >= kPersonListColumnCount) return 0;
  return kPersonListColumns[column].width * clientWidth / 1024;
}

// The place shown in the place columns: the birth (else christening) place, the death
// (else burial) place, the place of the first marriage. Null when there is none.
const char* ShownBirthPlace(const Person& person);
const char* ShownDeathPlace(const Person& person);
const char* ShownMarriagePlace(const Store& store, const Person& person);

// The text of one cell for the person; empty for a column outside 0..8. UTF-8.
std::string PersonCellText(const Store& store, Rin rin, int column);

}  // namespace korvane
