// Dates as text in the file and on the screen: read and written.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "dates/format_date.h"
#include "dates/parse_date_text.h"

namespace korvane {
namespace {

PackedDate D(int year, int month = 0, int day = 0, int qualifier = kNoQualifier) {
  return PackedDate::Make(year, month, day, qualifier);
}

PackedDate Failed(PackedDate date) {
  date.SetParseFailed(true);
  return date;
}

// The date read from `text` into a word with every bit set; `ok` is the expected result.
PackedDate Read(const char* text, bool ok = true) {
  PackedDate date{0xFFFFFFFFu};
  EXPECT_EQ(ParseDateText(date, text), ok) << text;
  return date;
}

TEST(ParseDateText, ReadsEveryTokenForm) {
  EXPECT_EQ(Read("12 MAR 1850"), D(1850, 3, 12));
  EXPECT_EQ(Read("12.3.1850"), D(1850, 3, 12));
  EXPECT_EQ(Read(" \t12  mar\r\n1850 "), D(1850, 3, 12));
  EXPECT_EQ(Read("abt MAR 1850"), D(1850, 3, 0, kAbout));
  EXPECT_EQ(Read("3.1850"), D(1850, 3));
  EXPECT_EQ(Read("XY 12 MAR 1850"), D(1850, 3, 12));  // an unknown qualifier word is allowed
  EXPECT_EQ(Read("ABT 12 MAR 1850 Taufe"), D(1850, 3, 12, kAbout));  // a fifth token is not read
  EXPECT_EQ(Read(" \t "), D(0));
  EXPECT_EQ(Read("29.2.1851"), D(1851, 2, 29));
  EXPECT_EQ(Read("okt 1850"), D(1850, 10));  // month words of both forms
  // Apart from the exact forms of both, the first letter of a month word decides.
  EXPECT_EQ(Read("April 1850"), D(1850, 8));
}

TEST(ParseDateText, FailureSetsBit24AndKeepsTheFieldsReadBefore) {
  EXPECT_EQ(Read("31.4.1850", false), Failed(D(1850, 4, 31)));
  EXPECT_EQ(Read("12 XYZ", false), Failed(D(0, 0, 12)));
  EXPECT_EQ(Read("12 1850", false), Failed(D(0, 0, 12)));
  // Other forms of the file format are not read at all.
  for (const char* text : {"BET 1850 AND 1860", "FROM 1850 TO 1860", "INT 1850 (wohl)",
                           "@#DJULIAN@ 12 MAR 1850", "0000000000001850"}) {
    EXPECT_EQ(Read(text, false), Failed(D(0))) << text;
  }
  // Numbers out of range fail instead of wrapping into plausible dates (5946 & 0xFFF = 1850).
  for (const char* text : {"5946", "44 MAR 1850", "12.19.1850", "1.1.2101", "99999999999999"}) {
    EXPECT_TRUE(Read(text, false).ParseFailed()) << text;
  }
  PackedDate untouched = D(1850, 3, 12, kAbout);
  EXPECT_FALSE(ParseDateText(untouched, nullptr));
  EXPECT_EQ(untouched, D(1850, 3, 12, kAbout));
}

TEST(ParseDateText, SecondYearIsAnOffsetOfUpToTen) {
  EXPECT_EQ(Read("ABT 1700/1703").SecondYearOffset(), 3);
  EXPECT_EQ(Read("1700/1710").SecondYearOffset(), 10);
  // The true difference counts, not the difference modulo 128.
  for (const char* text : {"1700/1711", "1700/01", "1701/1700", "1700/1828", "1700/"}) {
    EXPECT_TRUE(Read(text, false).ParseFailed()) << text;
  }
}

// The usual upper-case forms are read by a shortcut; a leading blank sends the same text
// through the general reading, which must give the same date, valid or not.
TEST(ParseDateText, ShortcutAgreesWithTheGeneralReading) {
  constexpr const char* kTokens[] = {
      "12",   "1850",  "0",   "00",  "31",    "32",  "2100", "2101",      "29",       "30",
      "9999", "12345", "MAR", "MAY", "APR",   "DEC", "OCT",  "FEB",       "ABT",      "BEF",
      "EST",  "CAL",   "AFT", "Mar", "MARCH", "XYZ", "VOR",  "1850/1851", "12.3.1850"};
  std::mt19937 rng(4711);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int i = 1 + static_cast<int>(rng() % 5); i > 0; --i) {
      if (!text.empty()) text += ' ';
      text += kTokens[rng() % std::size(kTokens)];
    }
    PackedDate shortcut{0xFFFFFFFFu}, general{0xFFFFFFFFu}, view{0xFFFFFFFFu};
    const bool shortcutOk = ParseDateText(shortcut, text.c_str());
    EXPECT_EQ(shortcutOk, ParseDateText(general, (" " + text).c_str())) << text;
    EXPECT_EQ(shortcut, general) << text;
    // A view into a longer line reads only its own characters.
    const std::string line = text + "7 ABT";
    EXPECT_EQ(ParseDateText(view, std::string_view(line).substr(0, text.size())), shortcutOk);
    EXPECT_EQ(view, shortcut) << text;
    // The usual forms alone: read as above, anything else leaves the date alone.
    PackedDate common{0xFFFFFFFFu};
    if (ParseCommonDateText(common, text)) {
      EXPECT_EQ(common, shortcut) << text;
    } else {
      EXPECT_EQ(common.bits, 0xFFFFFFFFu) << text;
    }
  }
  PackedDate usual;
  EXPECT_TRUE(ParseCommonDateText(usual, "ABT 12 MAY 1850"));
  EXPECT_FALSE(ParseCommonDateText(usual, "12 Mai 1850"));
  PackedDate cut;
  EXPECT_TRUE(ParseDateText(cut, std::string_view("1850\0 ABT 12", 12)));  // a NUL ends it
  EXPECT_EQ(cut, D(1850));
  EXPECT_EQ(Read("ABT 12 MAY 1850"), D(1850, 5, 12, kAbout));
  EXPECT_EQ(Read("EST 1850"), D(1850, 0, 0, kCalculated));
  EXPECT_EQ(Read("30 FEB 1850", false), Failed(D(1850, 2, 30)));
}

TEST(FormatDate, BothForms) {
  struct Case {
    PackedDate date;
    const char* display;
    const char* gedcom;
  };
  const Case cases[] = {
      {D(1850, 5, 12, kAbout), "UNG 12 MAI 1850", "ABT 12 MAY 1850"},
      {D(1850, 10, 0, kAfter), "NAC OKT 1850", "AFT OCT 1850"},
      {D(1850, 12, 31, kCalculated), "BER 31 DEZ 1850", "CAL 31 DEC 1850"},
      {D(1850, 0, 0, kBefore), "VOR 1850", "BEF 1850"},
      {D(0, 3, 12), "12 MAR", "12 MAR"},
      {D(1850, 0, 12), "12 1850", "12 1850"},
      {PackedDate{D(1700).bits | 1u << 25}, "1700/1701", "1700/1701"},  // second year offset 1
      {Failed(D(0, 0, 12, kBefore)), "", ""},                     // no text without year and month
      {PackedDate{0xFFFFFFFFu}, "31 4095/4222", "31 4095/4222"},  // unknown words are left out
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDate(c.date, DateForm::DisplayForm), c.display);
    EXPECT_EQ(FormatDate(c.date, DateForm::GedcomForm), c.gedcom);
  }
}

}  // namespace
}  // namespace korvane
