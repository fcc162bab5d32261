// Arbitrary bytes through every parser: nothing may crash, read past the text (the
// sanitizer build checks that) or produce a field out of range.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "dates/format_date.h"
#include "dates/parse_date_text.h"
#include "dates/parse_typed_date.h"
#include "dates/phonetic_code.h"

namespace korvane {
namespace {

// Pieces that reach deep into the parsers; random bytes alone rarely form a date.
constexpr const char* kPieces[] = {"12",  "1850", "3",   ".",    " ",        "/",    "-",    "MAR",
                                   "ABT", "März", "ca.", "um",   "Nov",      "ju",   "BET",  "@#D",
                                   "31",  "ß",    "Ж",   "\xC3", "\xE2\x80", "\xFF", "99999"};

bool InRange(PackedDate date) {
  return date.Year() <= 2100 && date.Month() <= 12 && date.Day() <= 31 && date.Qualifier() <= 4;
}

// True when the characters of `code` from `from` on are distinct digits from '1' to `highest`.
bool HasDistinctDigits(const std::string& code, std::size_t from, char highest) {
  for (std::size_t i = from; i < code.size(); ++i) {
    if (code[i] < '1' || code[i] > highest) return false;
    if (code.find(code[i], i + 1) != std::string::npos) return false;
  }
  return true;
}

TEST(RandomInput, ParsersAndCodesStayInRange) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const bool pieces = round % 2 == 0;
    for (int i = static_cast<int>(rng() % (pieces ? 8 : 40)); i > 0; --i) {
      if (pieces) {
        text += kPieces[rng() % std::size(kPieces)];
      } else {
        text += static_cast<char>(1 + rng() % 255);
      }
    }
    SCOPED_TRACE(text);
    PackedDate date{static_cast<std::uint32_t>(rng())};
    const bool parsed = ParseDateText(date, text.c_str());
    EXPECT_EQ(parsed, !date.ParseFailed());
    EXPECT_TRUE(InRange(date));
    EXPECT_EQ(FormatDate(date, DateForm::GedcomForm).empty(), date.IsEmpty());
    const PackedDate typed = ParseTypedDate(date, text.c_str());
    EXPECT_TRUE(InRange(typed));
    EXPECT_EQ(typed.ParseFailed(), date.ParseFailed());
    const std::string phonetic = PhoneticCode(text.c_str());
    EXPECT_TRUE(phonetic.size() <= 5 && HasDistinctDigits(phonetic, 0, '9')) << phonetic;
    const std::string soundex = SoundexCode(text.c_str());
    EXPECT_TRUE(soundex.size() <= 4 && HasDistinctDigits(soundex, 1, '6')) << soundex;
  }
}

}  // namespace
}  // namespace korvane
