#include "gedcom/ged_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "gedcom/line_reader.h"
#include "gedcom_test_util.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

using Numbers = std::vector<std::int32_t>;
constexpr std::uint32_t kNameFlags = HasGivenNamesFlag | HasSurnameFlag;

TEST(GedReader, SplitsNamesAtTheSurnameSlashes) {
  const struct {
    const char* nameLines;
    const char* given;
    const char* surname;
    std::uint32_t flags;
  } cases[] = {
      {"1 NAME Hans Peter /M\xC3\xBCller/ Jr.", "Hans Peter", "M\xC3\xBCller", kNameFlags},
      {"1 NAME Anna Maria", "Anna Maria", "", HasGivenNamesFlag},
      {"1 NAME /M\xC3\xBCller/", "", "M\xC3\xBCller", HasSurnameFlag},
      {"1 NAME Anna   /von Berg", "Anna", "von Berg", kNameFlags},
      {"1 NAME", nullptr, nullptr, 0},
      {"1 NAME A /B/|1 NAME C", "C", "", HasGivenNamesFlag},    // a later NAME replaces both
      {"1 NAME A /B/|1 NAME  ", "A", "B", kNameFlags},          // a blank one names nobody
      {"1 NAMES X /Y/|1 NAM X /Y/", nullptr, nullptr, 0},       // tags are whole words
      {"   1 NAME Lena /Blank/", "Lena", "Blank", kNameFlags},  // leading blanks are fine
      {"10 NAME Deep /Level/", nullptr, nullptr, 0},            // level 10 is not level 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nameLines);
    const ReadRun run(Ged("0 HEAD|0 @I1@ INDI|" + std::string(c.nameLines)));
    EXPECT_EQ(Text(run.P(1).givenNames), Text(c.given));
    EXPECT_EQ(Text(run.P(1).surname), Text(c.surname));
    EXPECT_EQ(run.P(1).flags & kNameFlags, c.flags);
  }
}

TEST(GedReader, KeepsTextsAsUtf8WhateverTheFileEncoding) {
  const std::string latin1 =
      Ged("0 @\xC4@ INDI|1 NAME J\xFCrgen /M\xFCller/|1 BIRT|2 PLAC K\xF6ln");
  const std::pair<std::string, FileEncoding> cases[] = {
      {latin1, FileEncoding::Cp1252},
      // An invalid UTF-8 byte is taken as its code-page-1252 character.
      {"\xEF\xBB\xBF" +
           Ged("0 @\xC3\x84@ INDI|1 NAME J\xFCrgen /M\xC3\xBCller/|1 BIRT|2 PLAC K\xF6ln"),
       FileEncoding::Utf8},
      {Utf16Le(latin1), FileEncoding::Utf16Le}};
  for (const auto& [bytes, encoding] : cases) {
    SCOPED_TRACE(static_cast<int>(encoding));
    const ReadRun run(bytes);
    EXPECT_EQ(run.encoding.encoding, encoding);
    EXPECT_EQ(Text(run.P(1).givenNames) + "/" + Text(run.P(1).surname),
              "J\xC3\xBCrgen/M\xC3\xBCller");
    EXPECT_EQ(Text(run.P(1).birthPlace), "K\xC3\xB6ln");
    EXPECT_EQ(run.Report(),
              "Person @\xC3\x84@: keine Nummer im Querverweis, als RIN 1 eingelesen\r\n");
  }
}

TEST(GedReader, ReadsSexDivorceAndFamilyLinks) {
  const ReadRun run(
      Ged("0 @I1@ INDI|1 SEX M|0 @I2@ INDI|1 SEX F|0 @I3@ INDI|1 SEX|0 @I4@ INDI|1 SEX \xC3\x9C|"
          "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|1 CHIL @I3@|1 CHIL @I4@|1 DIV Y|"
          "0 @F2@ FAM|1 HUSB @I1@|1 DIV N|0 @F3@ FAM|1 WIFE not-a-reference|1 DIV"));
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(std::string({run.P(1).sex, run.P(2).sex, run.P(3).sex, run.P(4).sex}),
            std::string("MF\0?", 4));
  EXPECT_EQ(run.P(1).flags & HasSexFlag, 0u);  // the import leaves the sex flag alone

  const Family& f1 = run.F(1);
  EXPECT_EQ(f1.husband, 1);
  EXPECT_EQ(f1.wife, 2);
  EXPECT_EQ(Entries(f1.children), (Numbers{3, 3, 4}));  // doubles are kept for the repair
  EXPECT_EQ(f1.flags, PresentFlag | HasHusbandFlag | HasWifeFlag | HasChildrenFlag | ChangedFlag);
  EXPECT_EQ(run.F(2).flags, PresentFlag | HasHusbandFlag);
  EXPECT_EQ(run.F(3).wife, 0);
  EXPECT_EQ(run.F(3).flags & ChangedFlag, 0u);
  EXPECT_EQ(run.Report(), "");
}

TEST(GedReader, ReportsDoubledSpouseAndParentLinksAndKeepsOne) {
  TempFolder folder;
  const std::string log = folder.Path("korvane.log");
  const ReadRun run(Ged("0 @I5@ INDI|1 FAMS @F3@|1 FAMC @F1@|1 FAMS @F3@|1 FAMC @F1@|1 FAMS @F1@|"
                        "0 @X@ INDI|1 FAMC @F3@|1 FAMC  @F3@ |0 @F1@ FAM|0 @F3@ FAM"),
                    log);
  EXPECT_EQ(Entries(run.P(5).fams), (Numbers{3, 1}));
  EXPECT_EQ(Entries(run.P(5).famc), (Numbers{1}));
  EXPECT_EQ(Entries(run.P(6).famc), (Numbers{3}));
  // The person without a number is named by the number it received.
  const std::string report =
      "RIN 5 hat doppelte FAMS 3: ignoriert\r\n"
      "RIN 5 hat doppelte FAMC 1: ignoriert\r\n"
      "RIN 6 hat doppelte FAMC 3: ignoriert\r\n"
      "Person @X@: keine Nummer im Querverweis, als RIN 6 eingelesen\r\n";
  EXPECT_EQ(run.Report(), report);
  EXPECT_EQ(ReadFile(log), report);
}

TEST(GedReader, ReadsDatesAndPlacesOfTheFiveEvents) {
  const ReadRun run(
      Ged("0 @I1@ INDI|1 BIRT Y|2 DATE 3 MAY 1852|2 PLAC Wei\xC3\x9F"
          "enfels|"
          "1 CHR|2 PLAC|2 DATE 1852|"                          // an empty place counts
          "1 DEAT|2 DATE 1900|2 DATE 1901|2 PLAC A|2 PLAC B|"  // the last one wins
          "1 BURI|2 DATE 31.4.1850|"                           // no such day
          "0 @F1@ FAM|1 MARR|2 DATE ABT 1875|2 PLAC G\xC3\xB6ttingen"));
  const Person& p = run.P(1);
  EXPECT_EQ(p.birthDate, PackedDate::Make(1852, 5, 3));
  EXPECT_EQ(Text(p.birthPlace),
            "Wei\xC3\x9F"
            "enfels");
  EXPECT_EQ(p.chrDate.Year(), 1852);
  EXPECT_EQ(Text(p.chrPlace), "");
  EXPECT_EQ(p.deathDate.Year(), 1901);
  EXPECT_EQ(Text(p.deathPlace), "B");
  EXPECT_TRUE(p.burialDate.ParseFailed());  // kept with its failure bit for the check
  EXPECT_EQ(p.burialPlace, nullptr);
  EXPECT_EQ(p.flags, PresentFlag | HasBirthDateFlag | HasBirthPlaceFlag | HasChrDateFlag |
                         HasChrPlaceFlag | HasDeathDateFlag | HasDeathPlaceFlag |
                         HasBurialDateFlag);
  EXPECT_EQ(run.F(1).marriageDate, PackedDate::Make(1875, 0, 0, kAbout));
  EXPECT_EQ(Text(run.F(1).marriagePlace), "G\xC3\xB6ttingen");
  EXPECT_EQ(run.F(1).flags, PresentFlag | HasMarriageDateFlag | HasMarriagePlaceFlag);
}

TEST(GedReader, EventDetailsNeedTheirEventRightAbove) {
  const ReadRun run(
      Ged("0 @I1@ INDI|2 DATE 1700|"                     // no event yet
          "1 OCCU Schmied|2 DATE 1800|2 PLAC Hof|"       // not an event the program keeps
          "1 BIRT|1 NOTE x|2 PLAC Nirgends|"             // another level-1 line ends the event
          "1 BIRTH|2 DATE 1801|"                         // not BIRT
          "1 MARR|2 DATE 1802|"                          // a marriage belongs to a family
          "1 DEAT|2 SOUR @S1@|3 DATE 1700|2 DATE 1850|"  // deeper lines do not end it
          "0 @F1@ FAM|1 BIRT|2 DATE 1803|1 MARR|"        //
          "0 @N1@ NOTE|2 DATE 1804"));                   // a new record ends the event
  const Person& p = run.P(1);
  EXPECT_EQ(p.flags, PresentFlag | HasDeathDateFlag);
  EXPECT_EQ(p.deathDate.Year(), 1850);
  EXPECT_EQ(run.F(1).flags, PresentFlag);
}

TEST(GedReader, LevelOneLinesApplyOnlyInsideTheirOwnRecord) {
  const ReadRun run(Ged(
      "0 HEAD|1 NAME Kopf /Zeile/|1 SEX F|1 FAMS @F1@|1 HUSB @I1@|1 CHIL @I1@|1 MARR|2 DATE 1900|"
      "0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|"
      "0 @U1@ SUBM|1 NAME Einsender|1 SEX F|1 FAMC @F1@|"
      "0 @F1@ FAM|1 HUSB @I1@|"
      "0 @R1@ REPO|1 NAME Archiv|1 WIFE @I1@|1 CHIL @I1@|1 DIV Y|"
      "0 TRLR|1 NAME Schluss /Zeile/"));
  const Person& p = run.P(1);
  EXPECT_EQ(Text(p.givenNames) + "/" + Text(p.surname), "Hans/Alt");
  EXPECT_EQ(p.sex, 'M');
  EXPECT_TRUE(p.fams.Empty());
  EXPECT_TRUE(p.famc.Empty());
  EXPECT_EQ(run.F(1).wife, 0);
  EXPECT_TRUE(run.F(1).children.Empty());
  EXPECT_EQ(run.F(1).flags, PresentFlag | HasHusbandFlag);
}

TEST(GedReader, CountsRecordsAndRemembersWhereEachStarts) {
  const std::string ged =
      "\xEF\xBB\xBF" + Ged("0 HEAD|0 @I3@ INDI|1 NAME Eva /Alt/|0 @S12@ SOUR|"
                           "0 @S4@ SOUR|0 @F2@ FAM|1 HUSB @I3@|0 @I1@ INDI|0 TRLR");
  const ReadRun run(ged);
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(run.counts.indiRecords, 2);
  EXPECT_EQ(run.counts.famRecords, 1);
  EXPECT_EQ(run.counts.highestSourceNumber, 12);
  // The tables reach up to the highest number; numbers never defined are not present.
  EXPECT_EQ(run.store.PersonCount(), 3);
  EXPECT_EQ(run.store.FamilyCount(), 2);
  EXPECT_EQ(run.P(2).flags, 0u);
  EXPECT_EQ(run.F(1).flags, 0u);
  EXPECT_EQ(run.P(1).recordOffset, ged.size() - std::string_view("0 TRLR\r\n").size());

  LineReader reader(run.file.get(), FileEncoding::Utf8);
  GedLine line;
  reader.Seek(run.P(3).recordOffset);
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line.text, "1 NAME Eva /Alt/");
  reader.Seek(run.F(2).recordOffset);
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line.text, "1 HUSB @I3@");
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

  const ReadRun small(Ged("0 HEAD|1 CHAR ANSI|0 TRLR"));  // under 100 bytes: every record
  EXPECT_EQ(small.ui.StatusHistory(),
            (std::vector<std::string>{"1: 27% erledigt", "1: 100% erledigt"}));
}

}  // namespace
}  // namespace korvane::gedcom_test
