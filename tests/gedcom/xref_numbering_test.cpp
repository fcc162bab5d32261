#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/ged_line.h"
#include "gedcom/import_limits.h"
#include "gedcom_test_util.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

using Numbers = std::vector<std::int32_t>;

TEST(XrefNumber, IsTheNumberBehindTheLetters) {
  for (const std::string_view xref : {"@I12@", "@P12@", "@I0012@", "@12@", "@FAMILY12@"}) {
    EXPECT_EQ(XrefNumber(xref, kMaxRecordsPerKind), 12) << xref;
  }
  EXPECT_EQ(XrefNumber("@PERSON1@", kMaxRecordsPerKind), 1);
  EXPECT_EQ(XrefNumber("@I10000000@", kMaxRecordsPerKind), 10'000'000);
  for (const std::string_view xref :
       {"@I@", "@I0@", "@I-5@", "@I12a@", "@I1 2@", "@I_1@", "@@", "I12", "@I12", "", "@I10000001@",
        "@I99999999999999999999@"}) {
    EXPECT_EQ(XrefNumber(xref, kMaxRecordsPerKind), 0) << xref;
  }
}

TEST(XrefNumbering, LinksFindTheRecordTheirCrossReferenceNames) {
  const ReadRun run(
      Ged("0 @I12@ INDI|0 @P3@ INDI|0 @PERSON1@ INDI|0 @I0002@ INDI|0 @FAMILY7@ FAM|"
          "1 HUSB @P3@|1 WIFE @PERSON1@|1 CHIL @I12@|1 CHIL @I0002@"));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.Report(), "");
  for (const Rin rin : {12, 3, 1, 2}) EXPECT_EQ(run.P(rin).flags, PresentFlag) << rin;
  EXPECT_EQ(run.store.PersonCount(), 12);
  EXPECT_EQ(run.F(7).husband, 3);
  EXPECT_EQ(run.F(7).wife, 1);
  EXPECT_EQ(Entries(run.F(7).children), (Numbers{12, 2}));
}

TEST(XrefNumbering, RecordsWithoutAFreeNumberGetFreshOnesAboveTheHighest) {
  const ReadRun run(
      Ged("0 @F0@ FAM|1 HUSB @P3@|1 WIFE @I3@|1 CHIL @X@|1 CHIL @I5@|1 CHIL @I20@|1 CHIL @I0@|"
          "0 @I3@ INDI|1 NAME I3|1 FAMS @F0@|"
          "0 @P3@ INDI|1 NAME P3|1 FAMS @F2@|"  // 3 is taken
          "0 @X@ INDI|1 NAME X|"                // no digits
          "0 @I5@ INDI|1 NAME I5|"
          "0 @I0@ INDI|1 NAME I0|"          // 0 is no number
          "0 INDI|1 NAME ohne|"             // no cross-reference
          "0 @I5@ INDI|1 NAME I5 zweimal|"  // defined twice
          "0 @I20@ INDI|1 NAME I20|"        // the highest comes last
          "0 @F2@ FAM|1 HUSB @P3@"));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.Report(),
            "Person @P3@: Nummer schon vergeben, als RIN 21 eingelesen\r\n"
            "Person @X@: keine Nummer im Querverweis, als RIN 22 eingelesen\r\n"
            "Person @I0@: keine Nummer im Querverweis, als RIN 23 eingelesen\r\n"
            "Person ohne Querverweis: keine Nummer im Querverweis, als RIN 24 eingelesen\r\n"
            "Person @I5@ doppelt definiert: zweiter Datensatz als RIN 25 eingelesen\r\n"
            "Familie @F0@: keine Nummer im Querverweis, als MRIN 3 eingelesen\r\n");
  EXPECT_EQ(run.counts.indiRecords, 8);
  EXPECT_EQ(run.counts.famRecords, 2);
  for (const auto& [rin, name] : {std::pair<Rin, const char*>{3, "I3"},
                                  {21, "P3"},
                                  {22, "X"},
                                  {5, "I5"},
                                  {23, "I0"},
                                  {24, "ohne"},
                                  {25, "I5 zweimal"},
                                  {20, "I20"}}) {
    EXPECT_EQ(Text(run.P(rin).givenNames), name) << rin;
  }
  EXPECT_EQ(run.store.PersonCount(), 25);
  EXPECT_EQ(run.F(3).husband, 21);
  EXPECT_EQ(run.F(3).wife, 3);
  // A link to a doubly defined cross-reference names the first record.
  EXPECT_EQ(Entries(run.F(3).children), (Numbers{22, 5, 20, 23}));
  EXPECT_EQ(Entries(run.P(3).fams), (Numbers{3}));
  EXPECT_EQ(Entries(run.P(21).fams), (Numbers{2}));
  EXPECT_EQ(run.F(2).husband, 21);
  EXPECT_EQ(run.F(1).flags, 0u);
}

TEST(XrefNumbering, ACrossReferenceNamesOneRecordHoweverLateItIsSeen) {
  // Many programs number from 100001 on. The first and the last person are named again
  // long after their definition, when thousands of other cross-references are known.
  std::string ged;
  for (int number = 100001; number <= 102400; ++number) {
    ged += Ged("0 @I" + std::to_string(number) + "@ INDI|1 FAMS @F1@");
  }
  ged += Ged("0 @F1@ FAM|1 HUSB @I100001@|1 WIFE @I102400@|0 @I100001@ INDI");
  const ReadRun run(ged);
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.F(1).husband, 100001);
  EXPECT_EQ(run.F(1).wife, 102400);
  EXPECT_EQ(run.Report(),
            "Person @I100001@ doppelt definiert: zweiter Datensatz als RIN 102401 eingelesen\r\n");
}

TEST(XrefNumbering, LinksToUndefinedRecordsKeepTheirNumberUnlessARecordHoldsIt) {
  const ReadRun run(
      Ged("0 @I1@ INDI|1 FAMS @F7@|1 FAMS @G1@|1 FAMC @F99999999999@|0 @I2@ INDI|0 @X@ INDI|"
          "0 @F1@ FAM|1 HUSB @I9@|1 WIFE @P2@|1 CHIL @Q3@|1 CHIL @I4@|1 CHIL @ABC@|1 CHIL kein "
          "Verweis"));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.F(1).husband, 9);
  EXPECT_EQ(run.F(1).wife, 0);                                   // 2 is a record's number
  EXPECT_EQ(Entries(run.F(1).children), (Numbers{0, 4, 0, 0}));  // 3 went to @X@
  EXPECT_EQ(Entries(run.P(1).fams), (Numbers{7, 0}));
  EXPECT_EQ(Entries(run.P(1).famc), (Numbers{0}));
  // The tables only reach the defined records.
  EXPECT_EQ(run.store.PersonCount(), 3);
  EXPECT_EQ(run.store.FamilyCount(), 1);
}

TEST(XrefNumbering, NumbersBeyondTheLimitFailTheRead) {
  for (const auto& [ged, message] :
       {std::pair{Ged("0 @I10000000@ INDI|0 @X@ INDI"),
                  std::string("\r\n GED Datei zu gro\xC3\x9F. >10000000 Personen")},
        {Ged("0 @I1@ INDI|0 @F10000000@ FAM|0 @F@ FAM|1 HUSB @I1@"),
         "\r\n GED Datei zu gro\xC3\x9F. >10000000 Familien"}}) {
    const ReadRun run(ged);
    EXPECT_FALSE(run.ok);
    ASSERT_EQ(run.ui.Boxes().size(), 1u);
    EXPECT_EQ(run.ui.Boxes()[0].title, "FEHLER");
    EXPECT_EQ(run.ui.Boxes()[0].text, message);
    EXPECT_EQ(run.counts.indiRecords + run.counts.famRecords, 0);
    EXPECT_EQ(run.store.PersonCount() + run.store.FamilyCount(), 0);
  }
  // A number above the limit is no number: the record is renumbered, not refused.
  const ReadRun huge(Ged("0 @I99999999999999999999@ INDI|0 @I-4@ INDI"));
  ASSERT_TRUE(huge.ok);
  EXPECT_EQ(huge.Report(),
            "Person @I99999999999999999999@: keine Nummer im Querverweis, als RIN 1 eingelesen\r\n"
            "Person @I-4@: keine Nummer im Querverweis, als RIN 2 eingelesen\r\n");
}

}  // namespace
}  // namespace korvane::gedcom_test
