#include "dates/parse_typed_date.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

PackedDate Typed(const char* text) { return ParseTypedDate(PackedDate{}, text); }

PackedDate D(int year, int month = 0, int day = 0, int qualifier = kNoQualifier) {
  return PackedDate::Make(year, month, day, qualifier);
}

TEST(ParseTypedDate, QualifierWords) {
  EXPECT_EQ(Typed("ca. 1850"), D(1850, 0, 0, kAbout));
  EXPECT_EQ(Typed("ungefähr 1850"), D(1850, 0, 0, kAbout));
  EXPECT_EQ(Typed("um 1850"), D(1850, 0, 0, kAbout));  // the 'm' of 'um' is no month
  EXPECT_EQ(Typed("vor 12.3.1850"), D(1850, 3, 12, kBefore));
  EXPECT_EQ(Typed("nach 1850"), D(1850, 0, 0, kAfter));
  EXPECT_EQ(Typed("a 1850"), D(1850, 0, 0, kAfter));
  EXPECT_EQ(Typed("ber 1850"), D(1850, 0, 0, kCalculated));
  EXPECT_EQ(Typed("vorMai 1850"), D(1850, 5, 0, kBefore));
  EXPECT_EQ(Typed("umMai 1850"), D(1850, 5, 0, kAbout));
  EXPECT_EQ(Typed("Nov 1850"), D(1850, 11));  // a leading 'no' is November, not 'nach'
}

TEST(ParseTypedDate, NumberForms) {
  EXPECT_EQ(Typed("12.3.1850"), D(1850, 3, 12));
  EXPECT_EQ(Typed("12, 3, 1850"), D(1850, 3, 12));
  EXPECT_EQ(Typed("3.1850"), D(1850, 3));
  EXPECT_EQ(Typed("13.1850"), D(1850, 0, 13));
  EXPECT_EQ(Typed(nullptr), D(0));
  // Out of range numbers stay empty; masked, they would show 904, day 13 and 1850.
  EXPECT_EQ(Typed("3.5000"), D(0, 3));
  EXPECT_EQ(Typed("45.3.1850"), D(1850, 3));
  EXPECT_EQ(Typed("12.3.99999999999999999999"), D(0, 3, 12));
}

TEST(ParseTypedDate, MonthWords) {
  EXPECT_EQ(Typed("12. März 1850"), D(1850, 3, 12));
  EXPECT_EQ(Typed("1 J 1850"), D(1850, 1, 1));
  EXPECT_EQ(Typed("1 Ju 1850"), D(1850, 6, 1));
  EXPECT_EQ(Typed("1 A 1850"), D(1850, 4, 1));
  EXPECT_EQ(Typed("Mai 1850"), D(1850, 5));
  EXPECT_EQ(Typed("März 1850"), D(0));  // unfinished leading month words empty the date
  EXPECT_EQ(Typed("Jux 1850"), D(0));
}

TEST(ParseTypedDate, ConsumesWholeUtf8CharactersAndKeepsOnlyTheParseFailedBit) {
  EXPECT_EQ(Typed("\3041850"), D(1850));  // the lone byte 0xC4 is one code-page-1252 character
  EXPECT_EQ(Typed("\2321850"), D(1850));  // the byte 0x9A is U+0161, not 'a' with bit 5 set
  EXPECT_EQ(Typed("12 мая 1850"), D(12));
  EXPECT_EQ(Typed("ca\xE2\x80\xA6 1850"), D(1850, 0, 0, kAbout));  // '…' is no edge of 'ca'
  PackedDate failed = D(1700, 4, 2, kBefore);
  failed.SetParseFailed(true);
  failed.SetSecondYearOffset(5);
  PackedDate expected = D(1850, 0, 0, kAbout);
  expected.SetParseFailed(true);
  EXPECT_EQ(ParseTypedDate(failed, "ca. 1850"), expected);
}

}  // namespace
}  // namespace korvane
