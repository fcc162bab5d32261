#include <gtest/gtest.h>

#include "export_test_util.h"
#include "store/link_list.h"

namespace korvane::export_test {
namespace {

TEST(WriteExport, WritesSelectedPersonsAndTheFamiliesOfSelectedMembers) {
  // Karl and Anna with their children Elise and Otto. Lines below a link line stay with
  // it or go with it.
  // clang-format off
  const std::string family = Ged(
      "0 HEAD|"
      "0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|2 NOTE Ehemann|"
      "0 @I2@ INDI|1 NAME Anna /Köhler/|1 SEX F|1 FAMS @F1@|"
      "0 @I3@ INDI|1 NAME Elise /Brandt/|1 FAMC @F1@|2 PEDI birth|"
      "0 @I4@ INDI|1 NAME Otto /Brandt/|1 FAMC @F1@|"
      "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|2 NOTE Ehefrau|1 CHIL @I3@|2 _FREL Natural|"
          "1 CHIL @I4@|2 NOTE Sohn|1 MARR|"
      "0 TRLR");
  // clang-format on
  auto exported = [&](std::initializer_list<Rin> selected) {
    Session s;
    EXPECT_TRUE(s.LoadText(family));
    s.Select(selected);
    return s.Export();
  };
  // A child without its parents keeps the family and the link to it, without the parents.
  EXPECT_EQ(exported({3}),
            Split("0 HEAD|0 @I3@ INDI|1 NAME Elise /Brandt/|1 FAMC @F1@|2 PEDI birth|"
                  "0 @F1@ FAM|1 CHIL @I3@|2 _FREL Natural|1 MARR|0 TRLR"));
  // One spouse carries the family; each CHIL line stands for its own child.
  EXPECT_EQ(exported({1, 3}),
            Split("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|2 NOTE Ehemann|"
                  "0 @I3@ INDI|1 NAME Elise /Brandt/|1 FAMC @F1@|2 PEDI birth|"
                  "0 @F1@ FAM|1 HUSB @I1@|1 CHIL @I3@|2 _FREL Natural|1 MARR|0 TRLR"));
}

TEST(WriteExport, TheKthLevelOneLinkLineStandsForTheKthEntryOfTheTable) {
  Session s;
  ASSERT_TRUE(s.LoadText(
      Ged("0 HEAD|0 @I1@ INDI|1 SEX M|1 FAMS @F2@|2 NOTE erste Ehe|1 FAMS @F1@|1 FAMC @F3@|"
          "1 FAMC @F3@|2 NOTE doppelt|1 ADOP|2 FAMC @F9@|0 @I2@ INDI|1 SEX F|1 FAMS @F1@|"
          "0 @I3@ INDI|1 SEX F|1 FAMS @F2@|0 @I4@ INDI|1 SEX M|1 FAMS @F3@|"
          "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|0 @F2@ FAM|1 HUSB @I1@|1 WIFE @I3@|"
          "0 @F3@ FAM|1 HUSB @I4@|1 CHIL @I1@|0 TRLR")));
  s.SelectAll();
  // Reordered in memory without the changed flag: the lines keep their places and what
  // stands below them, and take the links in the table's order.
  ListRemove(s.P(1).fams, 2);
  ListAppend(s.P(1).fams, 2);
  // The doubled FAMC line was read once: the second one goes, with its note. A level-2
  // FAMC is no link line and stays as it is.
  EXPECT_EQ(Record(s.Export(), "0 @I1@ INDI"),
            Split("0 @I1@ INDI|1 SEX M|1 FAMS @F1@|2 NOTE erste Ehe|1 FAMS @F2@|1 FAMC @F3@|"
                  "1 ADOP|2 FAMC @F9@"));
}

// Copied lines keep their bytes, `_` tags at every level included, except: pointers
// elsewhere (a custom tag, ASSO, a FAMC below an event) follow renamed persons and
// families. A record behind the TRLR line is written, and the TRLR line after it.
TEST(WriteExport, CopiesRecordsWithNewPointerSpellingsAndEveryUnderscoreTag) {
  Session s;
  ASSERT_TRUE(s.LoadText(
      Ged("0 HEAD|1 _HME @PERSON1@|2 _SUB kept|0 @P12@ INDI|1 SEX M|1 FAMS @FAMILY1@|"
          "1 ASSO @PERSON1@|2 _TYPE kept|1 _UID 0123ABCD|1 BIRT|2 _UID kept|3 CONT with it|"
          "2 DATE 1850|3 TIME 10:00|2  _SRC two blanks|3 NOTE with it|1 NOTE eine Zeile|"
          "ohne Stufe|0 @PERSON1@ INDI|1 SEX F|"
          "1 FAMS @FAMILY1@|1 ADOP|2 FAMC @FAMILY1@|2 _ASSO @P12@|0 @FAMILY1@ FAM|1 HUSB @P12@|"
          "1 WIFE @PERSON1@|0 TRLR|0 @I2@ INDI|1 NAME hinter dem Ende")));
  s.SelectAll();
  EXPECT_EQ(s.Export(),
            Split("0 HEAD|1 _HME @I1@|2 _SUB kept|0 @I12@ INDI|1 SEX M|1 FAMS @F1@|"
                  "1 ASSO @I1@|2 _TYPE kept|1 _UID 0123ABCD|1 BIRT|2 _UID kept|3 CONT with it|"
                  "2 DATE 1850|3 TIME 10:00|2  _SRC two blanks|3 NOTE with it|1 NOTE eine Zeile|"
                  "ohne Stufe|0 @I1@ INDI|1 SEX F|1 FAMS @F1@|1 ADOP|2 FAMC @F1@|2 _ASSO @I12@|"
                  "0 @F1@ FAM|1 HUSB @I12@|1 WIFE @I1@|0 @I2@ INDI|1 NAME hinter dem Ende|"
                  "0 TRLR"));
}

// Records behind a TRLR line are read and written before it; what is no record behind it
// (an end-of-file mark) stays behind it, a second TRLR line goes. A last line without line
// end gets one when the TRLR line follows it now.
TEST(WriteExport, WritesRecordsBehindTheTrlrLineBeforeIt) {
  Session s;
  ASSERT_TRUE(
      s.LoadText("0 HEAD\n0 @I1@ INDI\n1 NAME Karl /Brandt/\n0 TRLR\n\x1A\n"
                 "0 @I2@ INDI\n1 NOTE @N1@\n0 @N1@ NOTE danach\n0 TRLR\n"
                 "0 @I3@ INDI\n1 NAME Otto /Brandt/"));
  EXPECT_NE(s.diagnostics.ReportText().find(
                "3 Datens\xC3\xA4tze hinter TRLR eingelesen, der Export schreibt TRLR ans Ende"),
            std::string::npos)
      << s.diagnostics.ReportText();
  ASSERT_EQ(s.store.PersonCount(), 3);
  s.SelectAll();
  ASSERT_FALSE(s.Export().empty());
  EXPECT_EQ(ReadFile(s.folder.Path("out.ged")),
            "0 HEAD\n0 @I1@ INDI\n1 NAME Karl /Brandt/\n0 @I2@ INDI\n1 NOTE @N1@\n"
            "0 @N1@ NOTE danach\n0 @I3@ INDI\n1 NAME Otto /Brandt/\n0 TRLR\n\x1A\n");
  Session back;
  ASSERT_TRUE(back.Load(s.folder.Path("out.ged")));
  EXPECT_EQ(back.diagnostics.ReportText().find("hinter TRLR"), std::string::npos);
  EXPECT_EQ(back.store.PersonCount(), 3);
}

// Notes and sources are written when a written line refers to them (not one below a link
// or `_` line left out, such as a FAMS line the table has no entry for) and numbered in the order
// of their first reference; a pointer to no record gets a number of its own, never that of a
// written record.
TEST(ReferenceNumbering, NumbersWrittenNotesAndSourcesInTheOrderOfTheirFirstReference) {
  Session s;
  // clang-format off
  ASSERT_TRUE(s.LoadText(Ged(
      "0 HEAD|"
      "0 @N9@ NOTE steht vor dem ersten Verweis|1 CONT zweite Zeile|"
      "0 @N3@ NOTE von niemandem erwähnt|1 CONT weg damit|"
      "0 @I1@ INDI|1 NOTE @N5@|1 BIRT|2 SOUR @S250000@|3 PAGE 12|2 _MARK|3 SOUR @S8@|"
          "1 NOTE @N9@|1 NOTE @N2@|1 FAMS @F7@|2 NOTE @N4@|"
      "0 @I2@ INDI|1 NOTE @N4@|2 SOUR @S7@|"
      "0 @I3@ INDI|1 NOTE @N9@|1 SOUR @S7@|1 FAMC @F1@|2 NOTE @N6@|"
      "0 @F1@ FAM|1 CHIL @I3@|"
      "0 @N5@ NOTE|1 CONC Fortsetzung|1 SOUR @S1@|"
      "0 @N4@ NOTE nur von einer nicht gewählten Person|"
      "0 @N6@ NOTE nur unter einer weggelassenen Verknüpfung|"
      "0 @S8@ SOUR|1 TITL nur in der Markierung|"
      "0 @S7@ SOUR|1 TITL Kirchenbuch|"
      "0 @S1@ SOUR Quelle mit Text in der Kopfzeile|1 NOTE @N200000@|"
      "0 @N200000@ NOTE|"
      "0 @S250000@ SOUR|1 TITL Standesamt|"
      "0 TRLR")));
  s.Select({1, 3});
  EXPECT_EQ(s.Export(), Split(
      "0 HEAD|"
      "0 @N2@ NOTE steht vor dem ersten Verweis|1 CONT zweite Zeile|"
      // The repair removed the link to the missing family F7: the record is rebuilt.
      // A pointer below a `_` tag counts like any other.
      "0 @I1@ INDI|1 BIRT|2 SOUR @S1@|3 PAGE 12|2 _MARK|3 SOUR @S2@|1 NOTE @N1@|1 NOTE @N2@|"
          "1 NOTE @N3@|"
      "0 @I3@ INDI|1 NOTE @N2@|1 SOUR @S3@|"
      "0 @N1@ NOTE|1 CONC Fortsetzung|1 SOUR @S4@|"
      "0 @S2@ SOUR|1 TITL nur in der Markierung|"
      "0 @S3@ SOUR|1 TITL Kirchenbuch|"
      "0 @S4@ SOUR Quelle mit Text in der Kopfzeile|1 NOTE @N4@|"
      "0 @N4@ NOTE|"
      "0 @S1@ SOUR|1 TITL Standesamt|"
      "0 TRLR"));
  // clang-format on
}

// A link line's own lines end at the next level-1 line, also one without a pointer: the
// sources of a marriage or birth behind a link line that is left out are written.
TEST(ReferenceNumbering, APointerBehindALinkLineLeftOutStillCounts) {
  Session s;
  // clang-format off
  ASSERT_TRUE(s.LoadText(Ged(
      "0 HEAD|"
      "0 @I1@ INDI|1 SEX M|1 FAMS @F1@|1 FAMS @F1@|2 NOTE @N1@|1 BIRT|2 SOUR @S2@|"
      "0 @I2@ INDI|1 SEX F|1 FAMS @F1@|"
      "0 @I3@ INDI|1 SEX M|1 FAMC @F1@|"
      "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|2 NOTE @N3@|1 MARR|2 SOUR @S1@|3 PAGE 12|"
      "0 @N1@ NOTE unter der doppelten Verknüpfung|0 @S1@ SOUR Heiratsbuch|"
      "0 @S2@ SOUR Taufbuch|0 @N3@ NOTE beim Kind|0 TRLR")));
  s.Select({1, 2});
  EXPECT_EQ(s.Export(), Split(
      "0 HEAD|"
      "0 @I1@ INDI|1 SEX M|1 FAMS @F1@|1 BIRT|2 SOUR @S1@|"
      "0 @I2@ INDI|1 SEX F|1 FAMS @F1@|"
      "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 MARR|2 SOUR @S2@|3 PAGE 12|"
      "0 @S2@ SOUR Heiratsbuch|0 @S1@ SOUR Taufbuch|0 TRLR"));
  // clang-format on
}

// clang-format off
const std::string kChangedPerson = Ged(
    "0 HEAD|"
    "0 @I1@ INDI|1 IDNO 4711|1 OCCU Müller|1 _UID 0A1B2C|2 _DATE kept|1 FAMS @F1@|"
        "1 FAMC @F2@|2 PEDI birth|1 BIRT|2 DATE 3 may 1852|3 TIME 10:00|2 PLAC Weißenfels|"
        "3 MAP|4 LATI N51.2|2 SOUR Kirchenbuch Weißenfels|3 _UID kept|"
        "1 NAME Carl  Friedrich /Brandt/|2 GIVN Carl, Friedrich|2 SURN BRANDT|"
        "2 NOTE Rufname Carl|3 CONT erste|3 CONT zweite|3 CONT dritte|1 SEX M|"
    "0 @I2@ INDI|1 SEX F|1 FAMS @F1@|"
    "0 @I3@ INDI|1 SEX M|1 FAMS @F2@|"
    "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 MARR|2 PLAC Leipzig|2 DATE 1875|1 _STAT kept|"
    "0 @F2@ FAM|1 HUSB @I3@|1 CHIL @I1@|"
    "0 TRLR");

// Level-1 blocks in slot order (OCCU before IDNO, `_UID` lines kept); values the
// program holds unchanged keep their bytes. The family of FAMC is written for its child,
// without its husband.
const Lines kRebuilt = Split(
    /* 0 */ "0 @I1@ INDI|"
    /* 1 */ "1 NAME Carl  Friedrich /Brandt/|2 GIVN Carl, Friedrich|2 SURN BRANDT|"
    /* 4 */ "2 NOTE Rufname Carl|3 CONT erste|3 CONT zweite|3 CONT dritte|"
    /* 8 */ "1 SEX M|"
    /* 9 */ "1 BIRT|2 DATE 3 may 1852|3 TIME 10:00|2 PLAC Weißenfels|3 MAP|4 LATI N51.2|"
    /* 15 */ "2 SOUR Kirchenbuch Weißenfels|3 _UID kept|"
    /* 17 */ "1 OCCU Müller|1 FAMC @F2@|2 PEDI birth|1 FAMS @F1@|1 _UID 0A1B2C|2 _DATE kept|"
    /* 24 */ "1 IDNO 4711");
// clang-format on

TEST(RecordTree, RebuildsOnlyTheLinesWhoseFieldChanged) {
  for (const bool dateRemoved : {false, true}) {
    SCOPED_TRACE(dateRemoved ? "birth date removed" : "nothing changed");
    Session s;
    ASSERT_TRUE(s.LoadText(kChangedPerson));
    s.Select({1, 2});
    s.P(1).flags |= ChangedFlag;
    Lines expected = kRebuilt;
    if (dateRemoved) {  // the date goes with its TIME; PLAC and SOUR stay
      s.P(1).birthDate = {};
      s.P(1).flags &= ~HasBirthDateFlag;
      expected.erase(expected.begin() + 10, expected.begin() + 12);
    }
    EXPECT_EQ(Record(s.Export(), "0 @I1@ INDI"), expected);
  }
}

TEST(RecordTree, CompletesRecordsThatLackLinesForHeldFields) {
  Session s;
  ASSERT_TRUE(s.LoadText(
      Ged("0 HEAD|0 @I1@ INDI|1 NOTE lebte in Köln|1 CHR|2 NOTE getauft|0 @I2@ INDI|1 SEX M|"
          "1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I2@|0 TRLR")));
  s.SelectAll();
  TextPool& texts = s.store.texts;
  Person& p = s.P(1);
  p.givenNames = InternText(texts, TextPoolId::GivenNames, "Karl");
  p.surname = InternText(texts, TextPoolId::Surnames, "Brandt");
  p.sex = 'M';
  p.birthDate = PackedDate::Make(1852, 5, 3);
  p.birthPlace = InternText(texts, TextPoolId::Places, "Köln");
  p.chrDate = PackedDate::Make(1852, 5, 9);
  p.flags |= HasBirthDateFlag | HasBirthPlaceFlag | HasChrDateFlag | ChangedFlag;
  ListAppend(p.famc, 1);
  Family& f = s.store.familyTable[1];
  ListAppend(f.children, 1);
  f.marriageDate = PackedDate::Make(1875);
  f.flags |= HasMarriageDateFlag | ChangedFlag;

  // clang-format off
  EXPECT_EQ(s.Export(), Split(
      "0 HEAD|"
      "0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 BIRT|2 DATE 3 MAY 1852|2 PLAC Köln|1 CHR|"
          "2 NOTE getauft|2 DATE 9 MAY 1852|1 FAMC @F1@|"
          "1 NOTE lebte in Köln|"
      "0 @I2@ INDI|1 SEX M|1 FAMS @F1@|"
      "0 @F1@ FAM|1 HUSB @I2@|1 CHIL @I1@|1 MARR|2 DATE 1875|"
      "0 TRLR"));
  // clang-format on
}

}  // namespace
}  // namespace korvane::export_test
