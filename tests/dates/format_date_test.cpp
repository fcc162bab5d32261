#include "dates/format_date.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "dates/parse_date_text.h"

namespace korvane {
namespace {

PackedDate WithOffset(PackedDate date, int offset) {
  date.SetSecondYearOffset(offset);
  return date;
}

TEST(FormatDateTest, BothForms) {
  struct Case {
    PackedDate date;
    const char* display;
    const char* gedcom;
  };
  for (const Case& c : std::initializer_list<Case>{
           {PackedDate::Make(1850, 5, 12, kAbout), "UNG 12 MAI 1850", "ABT 12 MAY 1850"},
           {PackedDate::Make(1850, 0, 0, kBefore), "VOR 1850", "BEF 1850"},
           {PackedDate::Make(1850, 0, 0, kAbout), "UNG 1850", "ABT 1850"},
           {PackedDate::Make(1850, 10, 0, kAfter), "NAC OKT 1850", "AFT OCT 1850"},
           {PackedDate::Make(1850, 12, 31, kCalculated), "BER 31 DEZ 1850", "CAL 31 DEC 1850"},
           {PackedDate::Make(1850, 3), "MAR 1850", "MAR 1850"},
           {PackedDate::Make(0, 3, 12), "12 MAR", "12 MAR"},
           {PackedDate::Make(1850, 0, 12), "12 1850", "12 1850"},
           {WithOffset(PackedDate::Make(1700), 1), "1700/1701", "1700/1701"},
       }) {
    EXPECT_EQ(FormatDate(c.date, DateForm::DisplayForm), c.display);
    EXPECT_EQ(FormatDate(c.date, DateForm::GedcomForm), c.gedcom);
  }
}

TEST(FormatDateTest, NoTextWithoutYearAndMonth) {
  PackedDate failed;
  failed.SetParseFailed(true);
  for (const PackedDate date :
       {PackedDate{}, PackedDate::Make(0, 0, 12), PackedDate::Make(0, 0, 0, kAbout), failed,
        PackedDate::Make(0, 0, 12, kBefore)}) {
    EXPECT_EQ(FormatDate(date, DateForm::DisplayForm), "");
    EXPECT_EQ(FormatDate(date, DateForm::GedcomForm), "");
  }
}

TEST(FormatDateTest, DamagedWordsAreShownWithoutTheirUnknownParts) {
  EXPECT_EQ(FormatDate(PackedDate{0xFFFFFFFFu}, DateForm::DisplayForm), "31 4095/4222");
  EXPECT_EQ(FormatDate(PackedDate::Make(0, 13, 1, 7), DateForm::GedcomForm), "");
}

// Every text we write is read back as the same date, in both forms.
TEST(FormatDateTest, ParsesBackToTheSameDate) {
  for (int qualifier = 0; qualifier <= kCalculated; ++qualifier) {
    for (int month = 0; month <= 12; ++month) {
      for (const int day : {0, 1, 28}) {
        if (month == 0 && day != 0) continue;  // '12 1850' has no form we read
        for (const int offset : {0, 10}) {
          const PackedDate date = WithOffset(PackedDate::Make(1850, month, day, qualifier), offset);
          for (const DateForm form : {DateForm::DisplayForm, DateForm::GedcomForm}) {
            const std::string text = FormatDate(date, form);
            PackedDate back;
            EXPECT_TRUE(ParseDateText(back, text.c_str())) << text;
            EXPECT_EQ(back, date) << text;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace korvane
