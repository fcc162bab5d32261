#include <gtest/gtest.h>

#include "export_test_util.h"
#include "store/link_list.h"

namespace korvane::export_test {
namespace {

// clang-format off
// Karl and Anna with their children Elise and Otto. Lines below a link line must stay with
// it or go with it.
const std::string kFamily = Ged({
    "0 HEAD",
    "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 SEX M", "1 FAMS @F1@", "2 NOTE Ehemann",
    "0 @I2@ INDI", "1 NAME Anna /Köhler/", "1 SEX F", "1 FAMS @F1@",
    "0 @I3@ INDI", "1 NAME Elise /Brandt/", "1 FAMC @F1@", "2 PEDI birth",
    "0 @I4@ INDI", "1 NAME Otto /Brandt/", "1 FAMC @F1@",
    "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "2 NOTE Ehefrau", "1 CHIL @I3@", "2 _FREL Natural",
        "1 CHIL @I4@", "2 NOTE Sohn", "1 MARR",
    "0 TRLR"});

TEST(WriteExport, WritesSelectedPersonsAndTheFamiliesOfSelectedSpouses) {
  struct Case {
    std::vector<Rin> selected;
    Lines expected;
  };
  const Case cases[] = {
      {{1, 2, 3, 4}, {
          "0 HEAD",
          "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 SEX M", "1 FAMS @F1@", "2 NOTE Ehemann",
          "0 @I2@ INDI", "1 NAME Anna /Köhler/", "1 SEX F", "1 FAMS @F1@",
          "0 @I3@ INDI", "1 NAME Elise /Brandt/", "1 FAMC @F1@", "2 PEDI birth",
          "0 @I4@ INDI", "1 NAME Otto /Brandt/", "1 FAMC @F1@",
          "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "2 NOTE Ehefrau", "1 CHIL @I3@",
              "1 CHIL @I4@", "2 NOTE Sohn", "1 MARR",
          "0 TRLR"}},
      // A child without its parents: neither the family nor the link to it.
      {{3}, {"0 HEAD", "0 @I3@ INDI", "1 NAME Elise /Brandt/", "0 TRLR"}},
      // One spouse carries the family; each CHIL line stands for its own child.
      {{1, 3}, {
          "0 HEAD",
          "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 SEX M", "1 FAMS @F1@", "2 NOTE Ehemann",
          "0 @I3@ INDI", "1 NAME Elise /Brandt/", "1 FAMC @F1@", "2 PEDI birth",
          "0 @F1@ FAM", "1 HUSB @I1@", "1 CHIL @I3@", "1 MARR",
          "0 TRLR"}},
      {{2, 4}, {
          "0 HEAD",
          "0 @I2@ INDI", "1 NAME Anna /Köhler/", "1 SEX F", "1 FAMS @F1@",
          "0 @I4@ INDI", "1 NAME Otto /Brandt/", "1 FAMC @F1@",
          "0 @F1@ FAM", "1 WIFE @I2@", "2 NOTE Ehefrau", "1 CHIL @I4@", "2 NOTE Sohn", "1 MARR",
          "0 TRLR"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.selected));
    Session s;
    ASSERT_TRUE(s.LoadText(kFamily));
    for (const Rin rin : c.selected) s.Select(rin);
    EXPECT_EQ(s.Export(), c.expected);
    EXPECT_EQ(s.BoxTexts(), Lines{});
  }
}

TEST(WriteExport, TheKthLevelOneLinkLineStandsForTheKthEntryOfTheTable) {
  Session s;
  // clang-format off
  ASSERT_TRUE(s.LoadText(Ged({
      "0 HEAD",
      "0 @I1@ INDI", "1 SEX M", "1 FAMS @F2@", "2 NOTE erste Ehe", "1 FAMS @F1@",
          "1 FAMC @F3@", "1 FAMC @F3@", "2 NOTE doppelt", "1 ADOP", "2 FAMC @F9@",
      "0 @I2@ INDI", "1 SEX F", "1 FAMS @F1@",
      "0 @I3@ INDI", "1 SEX F", "1 FAMS @F2@",
      "0 @I4@ INDI", "1 SEX M", "1 FAMS @F3@",
      "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@",
      "0 @F2@ FAM", "1 HUSB @I1@", "1 WIFE @I3@",
      "0 @F3@ FAM", "1 HUSB @I4@", "1 CHIL @I1@",
      "0 TRLR"})));
  // clang-format on
  s.SelectAll();
  // Reordered in memory without the changed flag: the lines keep their places and what
  // stands below them, and take the links in the table's order.
  ListRemove(s.P(1).fams, 2);
  ListAppend(s.P(1).fams, 2);
  // The doubled FAMC line was read once: the second one goes, with its note. A level-2
  // FAMC is no link line and stays as it is.
  EXPECT_EQ(Record(s.Export(), "0 @I1@ INDI"),
            (Lines{"0 @I1@ INDI", "1 SEX M", "1 FAMS @F1@", "2 NOTE erste Ehe", "1 FAMS @F2@",
                   "1 FAMC @F3@", "1 ADOP", "2 FAMC @F9@"}));
}

TEST(WriteExport, NormalizesRecordHeadersAndTheLinksToThem) {
  Session s;
  // Pointers elsewhere (ASSO, custom tags, a FAMC below an event) follow the new headers.
  ASSERT_TRUE(s.LoadText(
      Ged({"0 HEAD", "1 _HME @PERSON1@", "0 @P12@ INDI", "1 SEX M", "1 FAMS @FAMILY1@",
           "1 ASSO @PERSON1@", "0 @PERSON1@ INDI", "1 SEX F", "1 FAMS @FAMILY1@", "1 ADOP",
           "2 FAMC @FAMILY1@", "0 @FAMILY1@ FAM", "1 HUSB @P12@", "1 WIFE @PERSON1@",
           "0 TRLR"})));
  s.SelectAll();
  EXPECT_EQ(s.Export(),
            (Lines{"0 HEAD", "1 _HME @I1@", "0 @I12@ INDI", "1 SEX M", "1 FAMS @F1@",
                   "1 ASSO @I1@", "0 @I1@ INDI", "1 SEX F", "1 FAMS @F1@", "1 ADOP",
                   "2 FAMC @F1@", "0 @F1@ FAM", "1 HUSB @I12@", "1 WIFE @I1@", "0 TRLR"}));
}

TEST(WriteExport, DropsUnderscoreTagsBelowLevelOneAndKeepsLinesWithoutLevel) {
  Session s;
  // clang-format off
  ASSERT_TRUE(s.LoadText(Ged({
      "0 HEAD", "1 _ROOT kept", "2 _SUB dropped",
      "0 @I1@ INDI", "1 _UID 0123ABCD", "2 _TYPE dropped", "1 BIRT", "2 _UID dropped",
          "3 CONT with its continuation", "2 DATE 1850", "3 _TIME dropped", "3 TIME 10:00",
          "1 NOTE eine Zeile", "ohne Stufe",
      "0 TRLR",
      "0 @I2@ INDI", "1 NAME hinter dem Ende"})));
  // clang-format on
  s.SelectAll();
  EXPECT_EQ(s.Export(),
            (Lines{"0 HEAD", "1 _ROOT kept", "0 @I1@ INDI", "1 _UID 0123ABCD", "1 BIRT",
                   "2 DATE 1850", "3 TIME 10:00", "1 NOTE eine Zeile", "ohne Stufe", "0 TRLR"}));
}

TEST(WriteExport, ValueWordsOfAnyLengthAreCopied) {
  const std::string longWord(100000, 'x');
  const std::string longXref = "@N" + std::string(5000, '7') + "@";
  Session s;
  ASSERT_TRUE(s.LoadText(Ged({"0 HEAD", "0 @I1@ INDI", "1 NOTE " + longWord, "1 NOTE " + longXref,
                              "0 " + longXref + " NOTE x", "0 TRLR"})));
  s.SelectAll();
  EXPECT_EQ(s.Export(), (Lines{"0 HEAD", "0 @I1@ INDI", "1 NOTE " + longWord, "1 NOTE @N1@",
                               "0 @N1@ NOTE x", "0 TRLR"}));
}

}  // namespace
}  // namespace korvane::export_test
