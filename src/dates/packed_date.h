#pragma once

#include <cstdint>

namespace korvane {

enum DateQualifier : int {
  kNoQualifier = 0,
  kBefore = 1,
  kAfter = 2,
  kAbout = 3,
  kCalculated = 4,
};

// The two text forms of a date: German words for everything shown to the user, GEDCOM
// words for export.
enum class DateForm { DisplayForm, GedcomForm };

// An event date in one 32-bit word:
//   bits 0-11 year (0 = none), 12-15 month (0 = none), 16-20 day (0 = none),
//   21-23 qualifier, 24 parse failed, 25-31 offset of the second year ('1700/1701').
struct PackedDate {
  static constexpr std::uint32_t kYearMask = 0xFFF;
  static constexpr std::uint32_t kParseFailedBit = 1u << 24;

  std::uint32_t bits = 0;

  constexpr int Year() const { return static_cast<int>(bits & kYearMask); }
  constexpr int Month() const { return static_cast<int>((bits >> 12) & 0xF); }
  constexpr int Day() const { return static_cast<int>((bits >> 16) & 0x1F); }
  constexpr int Qualifier() const { return static_cast<int>((bits >> 21) & 0x7); }
  constexpr bool ParseFailed() const { return (bits & kParseFailedBit) != 0; }
  constexpr int SecondYearOffset() const { return static_cast<int>(bits >> 25); }
  // A date without year and month is no date, whatever its day and qualifier hold.
  constexpr bool IsEmpty() const { return Year() == 0 && Month() == 0; }

  constexpr void SetYear(int year) { Put(0, 0xFFF, year); }
  constexpr void SetMonth(int month) { Put(12, 0xF, month); }
  constexpr void SetDay(int day) { Put(16, 0x1F, day); }
  constexpr void SetQualifier(int qualifier) { Put(21, 0x7, qualifier); }
  constexpr void SetParseFailed(bool failed) { Put(24, 0x1, failed ? 1 : 0); }
  constexpr void SetSecondYearOffset(int offset) { Put(25, 0x7F, offset); }

  static constexpr PackedDate Make(int year, int month = 0, int day = 0,
                                   int qualifier = kNoQualifier) {
    PackedDate date;
    date.SetYear(year);
    date.SetMonth(month);
    date.SetDay(day);
    date.SetQualifier(qualifier);
    return date;
  }

  friend constexpr bool operator==(PackedDate, PackedDate) = default;

 private:
  constexpr void Put(int shift, std::uint32_t mask, int value) {
    bits = (bits & ~(mask << shift)) | ((static_cast<std::uint32_t>(value) & mask) << shift);
  }
};

static_assert(sizeof(PackedDate) == 4);

}  // namespace korvane
