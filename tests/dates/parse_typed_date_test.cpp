#include "dates/parse_typed_date.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace korvane {
namespace {

struct Case {
  const char* text;
  int year, month, day, qualifier;
};

void ExpectTyped(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(ParseTypedDate(PackedDate{}, c.text),
              PackedDate::Make(c.year, c.month, c.day, c.qualifier))
        << c.text;
  }
}

TEST(ParseTypedDateTest, QualifierWords) {
  ExpectTyped({
      {"ca. 1850", 1850, 0, 0, kAbout},
      {"ca 1850", 1850, 0, 0, kAbout},
      {"abt 1850", 1850, 0, 0, kAbout},
      {"ungefähr 1850", 1850, 0, 0, kAbout},
      {"UNG 1850", 1850, 0, 0, kAbout},
      {"vor 1850", 1850, 0, 0, kBefore},
      {"bef 1850", 1850, 0, 0, kBefore},
      {"before 1850", 1850, 0, 0, kBefore},
      {"nach 1850", 1850, 0, 0, kAfter},
      {"aft 1850", 1850, 0, 0, kAfter},
      {"after 1850", 1850, 0, 0, kAfter},
      {"n1850", 1850, 0, 0, kAfter},
      {"a 1850", 1850, 0, 0, kAfter},
      {"be 1850", 1850, 0, 0, kBefore},
      {"ber 1850", 1850, 0, 0, kCalculated},
      {"cal 1850", 1850, 0, 0, kCalculated},
      {"c 1850", 1850, 0, 0, 0},
      {"x1850", 1850, 0, 0, 0},
      {"vor 12.3.1850", 1850, 3, 12, kBefore},
      {"vorMai 1850", 1850, 5, 0, kBefore},
  });
}

TEST(ParseTypedDateTest, NumberForms) {
  ExpectTyped({
      {"12.3.1850", 1850, 3, 12, 0},
      {"12-3-1850", 1850, 3, 12, 0},
      {"12, 3, 1850", 1850, 3, 12, 0},
      {"12 3 1850", 1850, 3, 12, 0},
      {"12.12.1850", 1850, 12, 12, 0},
      {"3.1850", 1850, 3, 0, 0},
      {"13.1850", 1850, 0, 13, 0},
      {"1850", 1850, 0, 0, 0},
      {" +1850", 1850, 0, 0, 0},
      {"12.3.", 0, 3, 12, 0},
      {"", 0, 0, 0, 0},
      {nullptr, 0, 0, 0, 0},
  });
}

TEST(ParseTypedDateTest, MonthWords) {
  ExpectTyped({
      // After the day number.
      {"12 Mai", 0, 5, 12, 0},
      {"12. März 1850", 1850, 3, 12, 0},
      {"12 Mrz 1850", 1850, 3, 12, 0},
      {"1 Jan 1850", 1850, 1, 1, 0},
      {"1 J 1850", 1850, 1, 1, 0},
      {"1 Ju 1850", 1850, 6, 1, 0},
      {"1 Juli 1850", 1850, 7, 1, 0},
      {"1 A 1850", 1850, 4, 1, 0},
      {"1 August 1850", 1850, 8, 1, 0},
      {"5 Okt 1850", 1850, 10, 5, 0},
      {"5 nov 1850", 1850, 11, 5, 0},
      {"5 DEZ 1850", 1850, 12, 5, 0},
      {"5 x 1850", 5, 0, 0, 0},
      // Leading, with the year.
      {"Mar 1850", 1850, 3, 0, 0},
      {"Mai 1850", 1850, 5, 0, 0},
      {"May 1850", 1850, 5, 0, 0},
      {"April 1850", 1850, 4, 0, 0},
      {"Aug. 1850", 1850, 8, 0, 0},
      {"Juni 1850", 1850, 6, 0, 0},
      {"Sept. 1850", 1850, 9, 0, 0},
      {"Dezember", 0, 12, 0, 0},
      // Unfinished leading month words empty the date.
      {"März 1850", 0, 0, 0, 0},
      {"Ma", 0, 0, 0, 0},
      {"Jux 1850", 0, 0, 0, 0},
      {"m1850", 0, 0, 0, 0},
  });
}

TEST(ParseTypedDateTest, LeadingNoIsNovemberAndUmIsAbout) {
  ExpectTyped({
      {"Nov 1850", 1850, 11, 0, 0},
      {"november 1850", 1850, 11, 0, 0},
      {"NOV. 1850", 1850, 11, 0, 0},
      {"nach 1850", 1850, 0, 0, kAfter},
      {"um 1850", 1850, 0, 0, kAbout},
      {"Um 12.3.1850", 1850, 3, 12, kAbout},
      {"umMai 1850", 1850, 5, 0, kAbout},
      {"ung 1850", 1850, 0, 0, kAbout},
  });
}

TEST(ParseTypedDateTest, OutOfRangeNumbersStayEmpty) {
  // Masked, these would show 904, day 13 and 1850.
  ExpectTyped({
      {"3.5000", 0, 3, 0, 0},
      {"45.3.1850", 1850, 3, 0, 0},
      {"12.3.5946", 0, 3, 12, 0},
      {"12.3.99999999999999999999", 0, 3, 12, 0},
  });
}

TEST(ParseTypedDateTest, KeepsOnlyTheParseFailedBit) {
  PackedDate failed = PackedDate::Make(1700, 4, 2, kBefore);
  failed.SetParseFailed(true);
  failed.SetSecondYearOffset(5);
  PackedDate expected = PackedDate::Make(1850, 0, 0, kAbout);
  expected.SetParseFailed(true);
  EXPECT_EQ(ParseTypedDate(failed, "ca. 1850"), expected);
  EXPECT_EQ(ParseTypedDate(PackedDate::Make(1700, 4, 2), "1850"), PackedDate::Make(1850));
}

TEST(ParseTypedDateTest, ConsumesWholeUtf8Characters) {
  ExpectTyped({
      {"ä1850", 1850, 0, 0, 0},
      {"\xC4"
       "1850",
       1850, 0, 0, 0},  // invalid UTF-8: one code-page-1252 character
      {"\x9A"
       "1850",
       1850, 0, 0, 0},  // U+0161, not 'a' with bit 5 set
      {"12 мая 1850", 12, 0, 0, 0},
      {"ca\xE2\x80\xA6 1850", 1850, 0, 0, kAbout},  // '…' is no edge of 'ca'
  });
}

}  // namespace
}  // namespace korvane
