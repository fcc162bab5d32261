#include "store/set_event_date.h"

#include <gtest/gtest.h>

#include "dates/format_date.h"
#include "store/flags.h"

namespace korvane {
namespace {

TEST(SetEventDate, UnchangedOrStillEmptyTextChangesNothing) {
  PackedDate secondYear = PackedDate::Make(1700, 2, 3);
  secondYear.SetSecondYearOffset(1);
  struct Case {
    PackedDate date;
    const char* text;
  };
  const Case cases[] = {
      {PackedDate::Make(1850, 5, 12), "12 MAI 1850"},
      {PackedDate::Make(1850, 0, 0, kAbout), "UNG 1850"},
      {secondYear, "3 FEB 1700/1701"},
      {PackedDate{}, ""},
      {PackedDate{}, nullptr},
      {PackedDate::Make(0, 0, 12), ""},  // a day alone is no date; it is left as it is
  };
  for (const Case& c : cases) {
    PackedDate date = c.date;
    std::uint32_t flags = PresentFlag | HasDeathPlaceFlag;
    if (!c.date.IsEmpty()) flags |= HasBirthDateFlag;
    const std::uint32_t before = flags;
    SetEventDate(date, flags, c.text, HasBirthDateFlag);
    EXPECT_EQ(date, c.date) << (c.text ? c.text : "(null)");
    EXPECT_EQ(flags, before) << (c.text ? c.text : "(null)");
  }
}

TEST(SetEventDate, NewTextStoresTheDateAndMarksTheRecordChanged) {
  PackedDate date;
  std::uint32_t flags = PresentFlag | HasDeathDateFlag;
  SetEventDate(date, flags, "12 MAI 1850", HasBirthDateFlag);
  EXPECT_EQ(date, PackedDate::Make(1850, 5, 12));
  EXPECT_EQ(flags, PresentFlag | HasDeathDateFlag | HasBirthDateFlag | ChangedFlag);

  SetEventDate(date, flags, "1851", HasBirthDateFlag);
  EXPECT_EQ(date, PackedDate::Make(1851));
  EXPECT_EQ(flags, PresentFlag | HasDeathDateFlag | HasBirthDateFlag | ChangedFlag);

  // The family's marriage date has its own bit.
  PackedDate marriage;
  std::uint32_t familyFlags = PresentFlag;
  SetEventDate(marriage, familyFlags, "ABT 1825", HasMarriageDateFlag);
  EXPECT_EQ(marriage, PackedDate::Make(1825, 0, 0, kAbout));
  EXPECT_EQ(familyFlags, PresentFlag | HasMarriageDateFlag | ChangedFlag);
}

TEST(SetEventDate, TextWithoutADateClearsTheHasDateBit) {
  for (const char* text :
       {"", "   ", static_cast<const char*>(nullptr), "BET 1850 AND 1860", "32 MAI 1850"}) {
    PackedDate date = PackedDate::Make(1850, 5, 12);
    std::uint32_t flags = PresentFlag | HasBirthDateFlag | HasDeathDateFlag;
    SetEventDate(date, flags, text, HasBirthDateFlag);
    EXPECT_EQ(FormatDate(date, DateForm::DisplayForm), "") << (text ? text : "(null)");
    EXPECT_EQ(flags, PresentFlag | HasDeathDateFlag | ChangedFlag) << (text ? text : "(null)");
  }
  // A rejected text stays marked for the plausibility check.
  PackedDate date = PackedDate::Make(1850);
  std::uint32_t flags = PresentFlag | HasBirthDateFlag;
  SetEventDate(date, flags, "BET 1850 AND 1860", HasBirthDateFlag);
  EXPECT_TRUE(date.ParseFailed());
}

}  // namespace
}  // namespace korvane
