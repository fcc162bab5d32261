#include "dates/parse_date_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace korvane {
namespace {

struct Case {
  const char* text;
  int year, month, day, qualifier;
};

void ExpectParsed(const Case& c) {
  PackedDate date{0xFFFFFFFFu};
  EXPECT_TRUE(ParseDateText(date, c.text)) << c.text;
  EXPECT_EQ(date, PackedDate::Make(c.year, c.month, c.day, c.qualifier)) << c.text;
}

void ExpectFailed(const char* text) {
  PackedDate date;
  EXPECT_FALSE(ParseDateText(date, text)) << text;
  EXPECT_TRUE(date.ParseFailed()) << text;
}

// Failing with nothing read: exactly the parse-failed bit.
void ExpectRejected(const char* text) {
  PackedDate date = PackedDate::Make(1850, 3, 12, kAbout);
  EXPECT_FALSE(ParseDateText(date, text)) << text;
  EXPECT_EQ(date.bits, PackedDate::kParseFailedBit) << text;
}

TEST(ParseDateTextTest, ReadsEveryTokenForm) {
  for (const Case& c : std::initializer_list<Case>{
           {"12 MAR 1850", 1850, 3, 12, 0},
           {"12.3.1850", 1850, 3, 12, 0},
           {"ABT 12 MAR 1850", 1850, 3, 12, kAbout},
           {"abt 12 mar 1850", 1850, 3, 12, kAbout},
           {" \t12  MAR\r\n1850 ", 1850, 3, 12, 0},
           {"ABT MAR 1850", 1850, 3, 0, kAbout},
           {"ABT 1850", 1850, 0, 0, kAbout},
           {"MAR 1850", 1850, 3, 0, 0},
           {"12 MAR", 0, 3, 12, 0},
           {"3.1850", 1850, 3, 0, 0},
           {"1850.", 1850, 0, 0, 0},
           {"1850", 1850, 0, 0, 0},
           {"DEC", 0, 12, 0, 0},
           {"XY 12 MAR 1850", 1850, 3, 12, 0},              // unknown qualifier word is allowed
           {"ABT 12 MAR 1850 Taufe", 1850, 3, 12, kAbout},  // a fifth token is not read
           {"", 0, 0, 0, 0},
           {" \t ", 0, 0, 0, 0},
       }) {
    ExpectParsed(c);
  }
}

TEST(ParseDateTextTest, QualifierWordsOfBothForms) {
  for (const auto& [word, qualifier] :
       std::initializer_list<std::pair<const char*, int>>{{"BEF", kBefore},
                                                          {"AFT", kAfter},
                                                          {"ABT", kAbout},
                                                          {"CAL", kCalculated},
                                                          {"VOR", kBefore},
                                                          {"NAC", kAfter},
                                                          {"UNG", kAbout},
                                                          {"BER", kCalculated},
                                                          {"EST", kCalculated},
                                                          {"bef", kBefore},
                                                          {"Est", kCalculated},
                                                          {"ABOUT", 0},
                                                          {"BE", 0},
                                                          {"", 0},
                                                          {nullptr, 0}}) {
    EXPECT_EQ(QualifierFromWord(word), qualifier) << (word ? word : "null");
  }
}

TEST(ParseDateTextTest, MonthWordsByExactFormOrFirstLetter) {
  for (const auto& [word, month] : std::initializer_list<std::pair<const char*, int>>{
           {"JAN", 1},  {"FEB", 2},   {"MAR", 3},  {"APR", 4},  {"MAY", 5},
           {"MAI", 5},  {"JUN", 6},   {"JUL", 7},  {"AUG", 8},  {"SEP", 9},
           {"OCT", 10}, {"OKT", 10},  {"NOV", 11}, {"DEC", 12}, {"DEZ", 12},
           {"apr", 4},  {"April", 8}, {"Juni", 7}, {"März", 5}, {"march", 5},
           {"Äug", 0},  {"12", 0},    {"x", 0},    {"", 0},     {nullptr, 0}}) {
    EXPECT_EQ(MonthFromWord(word), month) << (word ? word : "null");
  }
  ExpectParsed({"April 1850", 1850, 8, 0, 0});
  ExpectParsed({"Apr 1850", 1850, 4, 0, 0});
  ExpectParsed({"MAY 1850", 1850, 5, 0, 0});
  ExpectParsed({"MAI 1850", 1850, 5, 0, 0});
}

TEST(ParseDateTextTest, FailureKeepsBitAndFieldsReadSoFar) {
  PackedDate date;
  EXPECT_FALSE(ParseDateText(date, "31.4.1850"));
  EXPECT_EQ(date.bits, PackedDate::Make(1850, 4, 31).bits | PackedDate::kParseFailedBit);
  EXPECT_FALSE(ParseDateText(date, "12 XYZ"));
  EXPECT_EQ(date.bits, PackedDate::Make(0, 0, 12).bits | PackedDate::kParseFailedBit);

  ExpectParsed({"29.2.1851", 1851, 2, 29, 0});
  ExpectParsed({"31.12.1850", 1850, 12, 31, 0});
  ExpectParsed({"30.11.1850", 1850, 11, 30, 0});
  for (const char* text : {"1.1.2101", "31.11.1850", "30.2.1850", "12 1850", "ABT 12 1850", ".",
                           ".1850", "-1.2.1850"}) {
    ExpectFailed(text);
  }

  date = PackedDate::Make(1850, 3, 12, kAbout);
  EXPECT_FALSE(ParseDateText(date, nullptr));
  EXPECT_EQ(date, PackedDate::Make(1850, 3, 12, kAbout));
}

TEST(ParseDateTextTest, SecondYearIsAnOffsetOfUpToTen) {
  for (const auto& [text, offset] : std::initializer_list<std::pair<const char*, int>>{
           {"1700/1701", 1},
           {"1700/1710", 10},
           {"1700/1700", 0},
           {"ABT 12 MAR 1700/01", -1},
           {"1700/1711", -1},
           {"1700/01", -1},
           {"1700/", -1},
           {"1701/1700", -1},
           // The true difference counts, not the difference modulo 128.
           {"1700/1573", -1},
           {"1700/1828", -1},
           {"1700/9999999999", -1}}) {
    PackedDate date;
    EXPECT_EQ(ParseDateText(date, text), offset >= 0) << text;
    if (offset >= 0) {
      EXPECT_EQ(date.SecondYearOffset(), offset) << text;
    }
  }
  PackedDate date;
  ASSERT_TRUE(ParseDateText(date, "ABT 1700/1703"));
  EXPECT_EQ(date.Year(), 1700);
  EXPECT_EQ(date.Qualifier(), kAbout);
  EXPECT_EQ(date.SecondYearOffset(), 3);
}

TEST(ParseDateTextTest, UnsupportedGedcomFormsFailWithoutFields) {
  for (const char* text :
       {"BET 1850 AND 1860", "bet 1850 and 1860", "FROM 1850 TO 1860", "FROM 1850", "TO 1860",
        "INT 1850 (wohl)", "ABT 12 MAR 1850 TO", "12 MAR 1850 AND 1851", "@#DJULIAN@ 12 MAR 1850",
        "@#DJULIAN@ 1850", "@#DFRENCH R@ 1 VEND 12"}) {
    ExpectRejected(text);
  }
}

TEST(ParseDateTextTest, OutOfRangeNumbersFailInsteadOfWrapping) {
  // Each of these would mask into a plausible date: 5946 & 0xFFF = 1850, 44 & 31 = 12,
  // 19 & 15 = 3.
  for (const char* text : {"5946", "12 MAR 5946", "12.3.5946", "44 MAR 1850", "44.3.1850",
                           "12.19.1850", "13.1850", "99999999999999", "ABT 99999999999999"}) {
    ExpectFailed(text);
  }
}

TEST(ParseDateTextTest, TokensLongerThanFifteenCharactersFail) {
  ExpectParsed({"000000000001850", 1850, 0, 0, 0});
  ExpectRejected("0000000000001850");
  ExpectRejected("ABT 12 MAR 1850 Taufe-im-Hause-der-Eltern");
  // Characters are counted, not bytes.
  std::string word = "M";
  for (int i = 0; i < 14; ++i) word += "ä";
  ExpectParsed({word.c_str(), 0, 5, 0, 0});
  word += "z";
  ExpectRejected(word.c_str());
}

}  // namespace
}  // namespace korvane
