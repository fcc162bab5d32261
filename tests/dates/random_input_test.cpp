// Arbitrary bytes through every parser: nothing may crash, read past the text (the
// sanitizer build checks that) or produce a field out of range.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "dates/format_date.h"
#include "dates/parse_date_text.h"
#include "dates/parse_typed_date.h"
#include "dates/phonetic_code.h"

namespace korvane {
namespace {

// Pieces that reach deep into the parsers; random bytes alone rarely form a date.
constexpr std::array<const char*, 24> kPieces = {
    "12", "1850", "3",  ".",   " ",   "/",    "-",        "MAR",  "ABT", "Mai", "März",  "ca.",
    "um", "Nov",  "ju", "BET", "@#D", "\xC3", "\xE2\x80", "\xFF", "ß",   "Ж",   "99999", "31"};

std::string RandomText(std::mt19937& rng) {
  std::string text;
  const bool pieces = rng() % 2 == 0;
  const int length = static_cast<int>(rng() % (pieces ? 8 : 40));
  for (int i = 0; i < length; ++i) {
    if (pieces) {
      text += kPieces[rng() % kPieces.size()];
    } else {
      text += static_cast<char>(1 + rng() % 255);
    }
  }
  return text;
}

void ExpectFieldsInRange(PackedDate date, const std::string& text) {
  EXPECT_LE(date.Year(), 2100) << text;
  EXPECT_LE(date.Month(), 12) << text;
  EXPECT_LE(date.Day(), 31) << text;
  EXPECT_LE(date.Qualifier(), 4) << text;
}

bool IsDistinctDigits(const std::string& digits, char highest) {
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (digits[i] < '1' || digits[i] > highest) return false;
    if (digits.find(digits[i], i + 1) != std::string::npos) return false;
  }
  return true;
}

TEST(RandomInputTest, ParsersAndCodesStayInRange) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 4000; ++round) {
    const std::string text = RandomText(rng);

    PackedDate date{static_cast<std::uint32_t>(rng())};
    const bool parsed = ParseDateText(date, text.c_str());
    EXPECT_EQ(parsed, !date.ParseFailed()) << text;
    ExpectFieldsInRange(date, text);
    if (parsed) {
      EXPECT_LE(date.SecondYearOffset(), 10) << text;
    }
    EXPECT_EQ(FormatDate(date, DateForm::GedcomForm).empty(), date.IsEmpty()) << text;

    const PackedDate typed = ParseTypedDate(date, text.c_str());
    ExpectFieldsInRange(typed, text);
    EXPECT_EQ(typed.ParseFailed(), date.ParseFailed()) << text;
    EXPECT_EQ(typed.SecondYearOffset(), 0) << text;
    EXPECT_LE(FormatDate(typed, DateForm::DisplayForm).size(), 25u) << text;

    const std::string phonetic = PhoneticCode(text.c_str());
    EXPECT_LE(phonetic.size(), 5u) << text;
    EXPECT_TRUE(IsDistinctDigits(phonetic, '9')) << text;
    const std::string soundex = SoundexCode(text.c_str());
    EXPECT_LE(soundex.size(), 4u) << text;
    if (!soundex.empty()) {
      EXPECT_TRUE(soundex[0] >= '@' && soundex[0] <= '_') << text;
      EXPECT_TRUE(IsDistinctDigits(soundex.substr(1), '6')) << text;
    }
  }
}

}  // namespace
}  // namespace korvane
