#include "gedcom/ged_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gedcom_test_util.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

using Numbers = std::vector<std::int32_t>;

// Each case in code page 1252 and in UTF-16; the texts are kept as UTF-8.
TEST(GedReader, SplitsNamesAtTheSurnameSlashes) {
  // Given names, surname, and the flags (G, S) of the names present.
  const std::pair<const char*, const char*> cases[] = {
      {"1 NAME J\xFCrgen Peter /M\xFCller/ Jr.", "J\xC3\xBCrgen Peter|M\xC3\xBCller|GS"},
      {"1 NAME Anna Maria", "Anna Maria||G"},
      {"1 NAME /M\xFCller/", "|M\xC3\xBCller|S"},
      {"1 NAME Anna   /von Berg", "Anna|von Berg|GS"},
      {"1 NAME A /B/|1 NAME C", "C||G"},                  // a later NAME replaces both
      {"1 NAME A /B/|1 NAME  ", "A|B|GS"},                // a blank one names nobody
      {"1 NAMES X /Y/|10 NAME X /Y/", "<null>|<null>|"},  // whole tags; level 10 is not 1
  };
  for (const auto& [lines, expected] : cases) {
    const std::string ged = Ged("0 HEAD|0 @I1@ INDI|" + std::string(lines));
    for (const std::string& bytes : {ged, Utf16Le(ged)}) {
      const ReadRun run(bytes);
      const Person& p = run.P(1);
      EXPECT_EQ(Text(p.givenNames) + "|" + Text(p.surname) + "|" +
                    (p.flags & HasGivenNamesFlag ? "G" : "") +
                    (p.flags & HasSurnameFlag ? "S" : ""),
                expected)
          << testing::PrintToString(bytes);
    }
  }
}

TEST(GedReader, ReadsSexDivorceAndLinksAndReportsDoubledPersonLinks) {
  const TempFolder folder;
  const ReadRun run(
      Ged("0 @I1@ INDI|1 SEX M|1 FAMS @F1@|1 FAMS @F2@|1 FAMS @F1@|0 @I2@ INDI|1 SEX F|"
          "0 @I3@ INDI|1 SEX|0 @X@ INDI|1 SEX \xC3\x9C|1 FAMC @F2@|1 FAMC  @F2@ |"
          "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|1 CHIL @I3@|1 CHIL @X@|1 DIV Y|"
          "0 @F2@ FAM|1 HUSB @I1@|1 DIV N|0 @F3@ FAM|1 WIFE not-a-reference|1 DIV"),
      folder.Path("korvane.log"));
  EXPECT_EQ(std::string({run.P(1).sex, run.P(2).sex, run.P(3).sex, run.P(4).sex}),
            std::string("MF\0?", 4));
  EXPECT_EQ(run.P(1).flags & HasSexFlag, 0u);  // the import leaves the sex flag alone
  // Doubled person links are dropped and reported; doubled children are kept for the repair.
  EXPECT_EQ(Entries(run.P(1).fams), (Numbers{1, 2}));
  EXPECT_EQ(Entries(run.P(4).famc), (Numbers{2}));
  EXPECT_EQ(Entries(run.F(1).children), (Numbers{3, 3, 4}));
  // A divorce marks the family with a bit of its own, not as changed (a mere load changes
  // nothing); "DIV N" and an empty DIV do not mark it.
  EXPECT_EQ(run.F(1).flags,
            PresentFlag | HasHusbandFlag | HasWifeFlag | HasChildrenFlag | DivorcedFlag);
  EXPECT_EQ(run.F(2).flags, PresentFlag | HasHusbandFlag);
  EXPECT_EQ(std::pair(run.F(3).wife, run.F(3).flags & DivorcedFlag), std::pair(0, 0u));
  // The person without a number is named by the number it received.
  const std::string report =
      "RIN 1 hat doppelte FAMS 1: ignoriert\r\n"
      "RIN 4 hat doppelte FAMC 2: ignoriert\r\n"
      "Person @X@: keine Nummer im Querverweis, als RIN 4 eingelesen\r\n";
  EXPECT_EQ(run.Report(), report);
  EXPECT_EQ(ReadFile(folder.Path("korvane.log")), report);
}

// Event details apply right below their event, level-1 lines inside their own record.
TEST(GedReader, ReadsEventsAndLinesOnlyWhereTheyBelong) {
  const ReadRun run(Ged(
      "1 NAME Vor /Allem/|1 FAMC @F1@|1 WIFE @I2@|"  // before any record
      "0 HEAD|1 NAME Kopf /Zeile/|1 SEX F|1 FAMS @F1@|1 CHIL @I1@|1 BIRT|2 DATE 1900|"
      "0 @I1@ INDI|1 BIRT Y|2 DATE 3 MAY 1852|2 PLAC Jena|"
      "1 CHR|2 PLAC|2 DATE 1852|"                           // an empty place counts
      "1 DEAT|2 DATE 1900|2 DATE 1901|2 PLAC A|2 PLAC B|"   // the last one wins
      "1 BURI|2 DATE 31.4.1850|"                            // no such day
      "0 @I2@ INDI|1 NAME Hans /Alt/|1 SEX M|2 DATE 1700|"  // no event yet
      "1 OCCU Schmied|2 DATE 1800|"                         // not an event the program keeps
      "1 BIRT|1 NOTE x|2 PLAC Nirgends|"                    // another level-1 line ends it
      "1 BIRTH|2 DATE 1801|1 MARR|2 DATE 1802|"             // not BIRT; MARR is a family's
      "1 DEAT|2 SOUR @S1@|3 DATE 1700|2 DATE 1850|"         // deeper lines do not end it
      "0 @U1@ SUBM|1 NAME Einsender|1 SEX F|1 FAMC @F1@|1 DEAT|2 DATE 1990|"
      "0 @F1@ FAM|1 HUSB @I2@|1 BIRT|2 DATE 1803|1 MARR|2 DATE ABT 1875|2 PLAC G\xC3\xB6ttingen|"
      "0 @N1@ NOTE|1 WIFE @I1@|1 CHIL @I1@|1 DIV Y|2 DATE 1804|"  // a new record ends the event
      "0 TRLR|1 NAME Schluss /Zeile/"));
  const Person& p = run.P(1);
  EXPECT_EQ(p.birthDate, PackedDate::Make(1852, 5, 3));
  EXPECT_EQ(Text(p.birthPlace) + Text(p.chrPlace) + Text(p.deathPlace), "JenaB");
  EXPECT_EQ(std::pair(p.chrDate.Year(), p.deathDate.Year()), std::pair(1852, 1901));
  EXPECT_TRUE(p.burialDate.ParseFailed());  // kept with its failure bit for the check
  EXPECT_EQ(p.flags, PresentFlag | HasBirthDateFlag | HasBirthPlaceFlag | HasChrDateFlag |
                         HasChrPlaceFlag | HasDeathDateFlag | HasDeathPlaceFlag |
                         HasBurialDateFlag);
  EXPECT_TRUE(p.fams.Empty() && p.famc.Empty());
  const Person& hans = run.P(2);
  EXPECT_EQ(Text(hans.givenNames) + "/" + Text(hans.surname) + hans.sex, "Hans/AltM");
  EXPECT_EQ(hans.flags & ~(HasGivenNamesFlag | HasSurnameFlag), PresentFlag | HasDeathDateFlag);
  EXPECT_EQ(hans.deathDate.Year(), 1850);
  const Family& f = run.F(1);
  EXPECT_EQ(f.marriageDate, PackedDate::Make(1875, 0, 0, kAbout));
  EXPECT_EQ(Text(f.marriagePlace), "G\xC3\xB6ttingen");
  EXPECT_EQ(f.flags, PresentFlag | HasHusbandFlag | HasMarriageDateFlag | HasMarriagePlaceFlag);
}

TEST(GedReader, ReportsProgressAtRecordLines) {
  // Record lines end at bytes 5, 15, 500 and 995 of a file of 1000 bytes.
  const std::string ged =
      Ged("0 A|0 BCDEFG|0 " + std::string(481, 'N') + "|0 " + std::string(491, 'N') + "|1 X");
  ASSERT_EQ(ged.size(), 1000u);
  const ReadRun run(ged);
  EXPECT_EQ(run.ui.StatusHistory(),
            (std::vector<std::string>{"1: 1% erledigt", "1: 50% erledigt", "1: 100% erledigt"}));
  EXPECT_EQ(run.ui.ProgressPosition(), 3);
  EXPECT_EQ(run.ui.Pumps(), 3);
}

TEST(XrefNumbering, RecordsWithoutAFreeNumberGetFreshOnesAboveTheHighest) {
  const ReadRun run(
      Ged("0 @F0@ FAM|1 HUSB @P3@|1 WIFE @I0003@|1 CHIL @X@|1 CHIL @I5@|1 CHIL @PERSON20@|"
          "1 CHIL @I0@|1 CHIL @I99@|1 CHIL @P5@|"
          "0 @I0003@ INDI|1 NAME I3|1 FAMS @F0@|1 FAMS @F7@|1 FAMC @F9999999999@|"
          "0 @P3@ INDI|1 NAME P3|1 FAMS @FAMILY2@|"  // 3 is taken
          "0 @X@ INDI|1 NAME X|"                     // no digits
          "0 @I5@ INDI|1 NAME I5|"
          "0 INDI|1 NAME ohne|"             // no cross-reference
          "0 @I5@ INDI|1 NAME I5 zweimal|"  // defined twice
          "0 @PERSON20@ INDI|1 NAME I20|"   // the highest comes last
          "0 @FAMILY2@ FAM|1 HUSB @P3@"));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.Report(),
            "Person @P3@: Nummer schon vergeben, als RIN 21 eingelesen\r\n"
            "Person @X@: keine Nummer im Querverweis, als RIN 22 eingelesen\r\n"
            "Person ohne Querverweis: keine Nummer im Querverweis, als RIN 23 eingelesen\r\n"
            "Person @I5@ doppelt definiert: zweiter Datensatz als RIN 24 eingelesen\r\n"
            "Familie @F0@: keine Nummer im Querverweis, als MRIN 3 eingelesen\r\n");
  EXPECT_EQ(run.counts.indiRecords, 7);
  std::string names;
  for (const Rin rin : {3, 21, 22, 5, 23, 24, 20}) names += Text(run.P(rin).givenNames) + ",";
  EXPECT_EQ(names, "I3,P3,X,I5,ohne,I5 zweimal,I20,");
  EXPECT_EQ(std::pair(run.F(3).husband, run.F(3).wife), std::pair(21, 3));
  // A link names the first of two records with its cross-reference. Links to records the
  // file lacks keep their number, unless it is none or another record's (5 is @I5@'s).
  EXPECT_EQ(Entries(run.F(3).children), (Numbers{22, 5, 20, 0, 99, 0}));
  EXPECT_EQ(Entries(run.P(3).fams), (Numbers{3, 7}));
  EXPECT_EQ(Entries(run.P(3).famc), (Numbers{0}));
  EXPECT_EQ(run.store.PersonCount(), 24);  // the tables only reach the defined records
  EXPECT_EQ(Entries(run.P(21).fams), (Numbers{2}));
  EXPECT_EQ(run.F(2).husband, 21);
  EXPECT_EQ(run.F(1).flags, 0u);
}

// A value is a link only between two "@" signs, however much it looks like one.
TEST(XrefNumbering, OnlyValuesBetweenAtSignsAreLinks) {
  const ReadRun run(
      Ged("0 @I1@ INDI|1 NAME A|0 @F1@ FAM|1 CHIL XI1@|1 CHIL @I1X|1 CHIL I1|"
          "1 CHIL  @I1@ "));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(Entries(run.F(1).children), (Numbers{0, 0, 0, 1}));
}

// Cross-references far apart: past some hundred of them they are looked up the general
// way, and a link must find its record also when, after many more records, it is looked
// up the short way.
TEST(XrefNumbering, FarApartNumbersFindTheirRecords) {
  std::string lines;
  for (int k = 1; k <= 150; ++k) {
    lines += "0 @I" + std::to_string(10000 + k * 5000) + "@ INDI|1 NAME N" + std::to_string(k) +
             "|1 FAMC @F" + std::to_string(k) + "@|";
  }
  for (int k = 1; k <= 7000; ++k) lines += "0 @I" + std::to_string(k) + "@ INDI|";
  for (int k = 1; k <= 150; ++k) {
    lines +=
        "0 @F" + std::to_string(k) + "@ FAM|1 CHIL @I" + std::to_string(10000 + k * 5000) + "@|";
  }
  const ReadRun run(Ged(lines));
  ASSERT_TRUE(run.ok);
  // Numbers up to twice the 7,150 persons and 65,536 more are kept (@I75000@, k = 13);
  // the persons above get fresh numbers behind the highest kept one.
  std::string report;
  for (int k = 14; k <= 150; ++k) {
    report += "Person @I" + std::to_string(10000 + k * 5000) + "@: Nummer zu hoch, als RIN " +
              std::to_string(75000 + k - 13) + " eingelesen\r\n";
  }
  EXPECT_EQ(run.Report(), report);
  EXPECT_EQ(run.store.PersonCount(), 75000 + 150 - 13);
  for (const int k : {1, 13, 14, 64, 65, 100, 150}) {
    const Rin rin = k <= 13 ? 10000 + k * 5000 : 75000 + k - 13;
    EXPECT_EQ(Text(run.P(rin).givenNames), "N" + std::to_string(k));
    EXPECT_EQ(Entries(run.F(k).children), (Numbers{rin})) << k;
  }
}

// One record numbered far above the others costs no more than a small file: it is
// renumbered and reported, and links and the export follow it.
TEST(XrefNumbering, NumbersFarAboveTheRecordCountAreReplaced) {
  const ReadRun run(
      Ged("0 @I1@ INDI|1 NAME Karl|1 FAMS @F9999999@|0 @I9999999@ INDI|"
          "1 NAME Anna|1 FAMS @F9999999@|0 @I65538@ INDI|1 NAME Max|"
          "0 @F9999999@ FAM|1 HUSB @I1@|1 WIFE @I9999999@|1 CHIL @I65538@|"
          "1 CHIL @I9999998@"));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.Report(),
            "Person @I9999999@: Nummer zu hoch, als RIN 65539 eingelesen\r\n"
            "Familie @F9999999@: Nummer zu hoch, als MRIN 1 eingelesen\r\n");
  EXPECT_EQ(std::pair(run.store.PersonCount(), run.store.FamilyCount()), std::pair(65539, 1));
  EXPECT_EQ(Text(run.P(65539).givenNames), "Anna");
  EXPECT_EQ(std::pair(run.F(1).husband, run.F(1).wife), std::pair(1, 65539));
  // A link to a record the file lacks keeps its number for the link repair's report.
  EXPECT_EQ(Entries(run.F(1).children), (Numbers{65538, 9999998}));
  EXPECT_EQ(Entries(run.P(65539).fams), (Numbers{1}));
  EXPECT_EQ(run.counts.respelledXrefs.at("@I9999999@"), "@I65539@");
  EXPECT_EQ(run.counts.respelledXrefs.at("@F9999999@"), "@F1@");
}

}  // namespace
}  // namespace korvane::gedcom_test
