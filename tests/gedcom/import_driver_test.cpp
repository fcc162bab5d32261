#include "gedcom/import_driver.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "gedcom/link_repair.h"
#include "gedcom_test_util.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

using Strings = std::vector<std::string>;

const std::string kTwoPersons =
    Ged("0 HEAD|0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|0 @I2@ INDI|1 NAME Eva /Alt/|"
        "1 SEX F|1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|0 TRLR");

Strings BoxTexts(const ScriptedUi& ui) {
  Strings texts;
  for (const auto& box : ui.Boxes()) texts.push_back(box.title + ": " + box.text);
  return texts;
}

TEST(ImportDriver, ChecksTheExtensionAsWritten) {
  Loader loader;
  ASSERT_TRUE(loader.LoadText(kTwoPersons, "familie.GED"));
  EXPECT_TRUE(loader.LoadText(kTwoPersons, "x.ged.txt"));
  const std::string refused = loader.folder.Write("familie.Ged", kTwoPersons);

  EXPECT_FALSE(loader.Load(refused));
  EXPECT_EQ(BoxTexts(loader.ui), Strings{"FEHLER: \r\nDateierweiterung .ged fehlt in " + refused});
  // Nothing else changes: the data of the last load stay.
  EXPECT_EQ(loader.store.PersonCount(), 2);
  EXPECT_EQ(loader.file.displayName, "x.ged.txt");
}

TEST(ImportDriver, WritesTheLogHeaderAndReportsTheLoad) {
  Loader loader;
  // A fixed clock; the timestamp's own format is tested with the diagnostics.
  loader.diagnostics.SetClock([] { return std::tm{}; });
  // A record behind the TRLR line is read, and the report says so.
  const std::string path =
      loader.folder.Write("b.ged", kTwoPersons + Ged("0 @I3@ INDI|1 FAMS @F1@|1 FAMS @F1@"));
  const std::string behind =
      "1 Datensatz hinter TRLR eingelesen, der Export schreibt TRLR ans Ende\r\n";
  const std::string log = "\n# Korvane 2.7.9\n# " + FormatLogTimestamp(std::tm{}) +
                          "\nImport: " + path + "\n\nRIN 3 hat doppelte FAMS 1: ignoriert\r\n" +
                          behind;
  ASSERT_TRUE(loader.Load(path));
  EXPECT_EQ(ReadFile(loader.folder.Path("korvane.log")), log);
  EXPECT_TRUE(loader.Report().starts_with("RIN 3 hat doppelte FAMS 1: ignoriert\r\n" + behind +
                                          "3 Personen 1 Familien importiert\r\n\r\n"
                                          "b.ged geladen in 3 Sek\r\n"));

  // A reload passes the path the load itself keeps; every import adds its own header.
  ASSERT_TRUE(loader.Load(loader.file.path));
  EXPECT_EQ(ReadFile(loader.folder.Path("korvane.log")), log + log);
  EXPECT_EQ(Text(loader.P(2).givenNames), "Eva");
  EXPECT_TRUE(loader.ui.Boxes().empty());
}

TEST(ImportDriver, FailuresShowWhyAndLeaveTheProgramEmpty) {
  const std::string cannotLoad =
      "FEHLER: \r\nLaden von GED Datei b.ged nicht m\xC3\xB6glich.\r\n"
      "Bitte andere GED Datei importieren";
  const std::pair<const char*, Strings> cases[] = {
      {nullptr, {"FEHLER: Original GED Datei <path> nicht gefunden!", cannotLoad}},
      {"", {cannotLoad}},
  };
  for (const auto& [lines, boxes] : cases) {
    SCOPED_TRACE(lines == nullptr ? "missing" : lines);
    Loader loader;
    ASSERT_TRUE(loader.LoadText(kTwoPersons));
    const std::string path = loader.folder.Path("b.ged");
    std::filesystem::remove(path);
    if (lines != nullptr) loader.folder.Write("b.ged", *lines ? Ged(lines) : "");

    EXPECT_FALSE(loader.Load(path));
    Strings expected = boxes;
    if (lines == nullptr) expected[0].replace(expected[0].find("<path>"), 6, path);
    EXPECT_EQ(BoxTexts(loader.ui), expected);
    EXPECT_EQ(loader.ui.StatusText(1), "Maximal 10000000 Personen pro GED Datei!");
    EXPECT_EQ(loader.store.PersonCount() + loader.store.FamilyCount(), 0);
  }
  // A record number at the limit does not make a file of two records too large: the
  // record is renumbered.
  Loader loader;
  ASSERT_TRUE(loader.LoadText(Ged("0 @I10000000@ INDI|0 @I@ INDI|0 @F10000000@ FAM")));
  EXPECT_TRUE(loader.ui.Boxes().empty());
  EXPECT_EQ(std::pair(loader.store.PersonCount(), loader.store.FamilyCount()), std::pair(2, 1));
  EXPECT_TRUE(loader.Report().starts_with(
      "Person @I10000000@: Nummer zu hoch, als RIN 1 eingelesen\r\n"
      "Person @I@: keine Nummer im Querverweis, als RIN 2 eingelesen\r\n"
      "Familie @F10000000@: Nummer zu hoch, als MRIN 1 eingelesen\r\n"))
      << loader.Report();
}

// What the program holds of the records, one line each.
std::string Digest(const Store& store) {
  std::ostringstream out;
  for (const Person& p : store.personTable) {
    out << Text(p.givenNames) << Text(p.surname) << Text(p.birthPlace) << Text(p.deathPlace)
        << p.sex << p.flags << p.birthDate.bits << testing::PrintToString(Entries(p.fams)) << '\n';
  }
  for (const Family& f : store.familyTable) {
    out << f.husband << ' ' << f.wife << ' ' << f.flags
        << testing::PrintToString(Entries(f.children)) << '\n';
  }
  return out.str();
}

TEST(ImportDriver, ReadsTheUtf16SampleLikeTheUtf8One) {
  const std::string shared = KORVANE_SHARED_TESTDATA;
  if (!std::filesystem::exists(shared + "/555SAMPLE16LE.GED")) {
    GTEST_SKIP() << "no shared test files in " << shared;
  }
  Loader utf8, utf16;
  ASSERT_TRUE(utf8.LoadText(ReadFile(shared + "/555SAMPLE.GED")));
  ASSERT_TRUE(utf16.LoadText(ReadFile(shared + "/555SAMPLE16LE.GED")));
  EXPECT_EQ(Text(utf16.P(1).givenNames), "Robert Eugene");
  EXPECT_EQ(Digest(utf16.store), Digest(utf8.store));
  EXPECT_EQ(utf16.RepairReport(), utf8.RepairReport());
}

// The last lines of a report with corrections.
std::string Corrected(int count) {
  return "\r\n\r\n" + std::to_string(count) + " Fehler automatisch korrigiert!\r\n" +
         "Bitte Exportieren um \xC3\x84nderungen zu sichern!\r\n";
}

// The persons most files start with.
const std::string kHans = "0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|";
const std::string kEva = "0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|";
const std::string kCouple = kHans + "1 FAMS @F1@|" + kEva + "1 FAMS @F1@|";

// Small files with broken links of one or two kinds each: the report of the repair at load
// and the number of corrections it counts.
TEST(LinkRepair, ReportsAndCountsEachDisagreementAtLoad) {
  const std::pair<std::string, std::string> cases[] = {
      // Missing spouse and parent families; a spouse family 0 also counts as doubled.
      {kHans + "1 BIRT|2 DATE 1900|1 FAMS @F9@|1 FAMC @F8@|" + kEva +
           "1 FAMS kein Verweis|1 FAMC kein Verweis",
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMS 9\r\n[1] Hans Alt  *1900 "
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMC 8\r\n[1] Hans Alt  *1900 "
       "\r\n### Person 2 hat gel\xC3\xB6schte FAMS 0\r\n[2] Eva Alt "
       "\r\n### Person 2 hat doppelte FAMS 0 "
       "\r\n### Person 2 hat gel\xC3\xB6schte FAMC 0\r\n[2] Eva Alt " +
           Corrected(5)},
      // Dangling links in a row: each one is examined after the one before was removed.
      {kHans + "1 FAMS @F7@|1 FAMS @F8@|1 FAMS @F9@|1 FAMC @F5@|1 FAMC @F6@|1 FAMS @F1@|" + kEva +
           "1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I7@|1 CHIL @I8@|"
           "1 CHIL @I9@",
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMS 7\r\n[1] Hans Alt "
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMS 8\r\n[1] Hans Alt "
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMS 9\r\n[1] Hans Alt "
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMC 5\r\n[1] Hans Alt "
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMC 6\r\n[1] Hans Alt "
       "\r\n### Fam 1 hat gel\xC3\xB6scht CHIL 7 \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### Fam 1 hat gel\xC3\xB6scht CHIL 8 \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### Fam 1 hat gel\xC3\xB6scht CHIL 9 \r\n Fam [1] Hans Alt - Eva Alt " +
           Corrected(8)},
      // A spouse family with other partners drops the link.
      {kHans +
           "1 FAMS @F3@|0 @I2@ INDI|1 NAME Karl /Neu/|1 SEX M|1 FAMS @F3@|"
           "0 @I3@ INDI|1 NAME Eva /Neu/|1 SEX F|1 FAMS @F3@|0 @F3@ FAM|1 HUSB @I2@|1 WIFE @I3@",
       "\r\n### Person 1 hat falsche FAMS 3 \r\n[1] Hans Alt  Fam [3] Karl Neu - Eva Neu " +
           Corrected(1)},
      // Lower-case letters are their sex: nothing to correct, and a man becomes the husband.
      {"0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX m|1 FAMS @F1@|"
       "0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX f|1 FAMS @F1@|0 @F1@ FAM|1 WIFE @I2@",
       "\r\n### Person 1 hat falsche FAMS 1 \r\n[1] Hans Alt  Fam [1] - Eva Alt " + Corrected(1)},
      // A spouse family without a husband gets one; a missing child is added.
      {kCouple + "0 @I3@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @F1@ FAM|1 WIFE @I2@",
       "\r\n### Person 1 hat falsche FAMS 1 \r\n[1] Hans Alt  Fam [1] - Eva Alt "
       "\r\n### Person 3 (FAMC 1) als Kind hinzugef\xC3\xBCgt\r\n[3] Kurt Alt " +
           Corrected(2)},
      // Missing parents are dropped from the child's families.
      {kHans + "1 FAMS @F2@|" + kEva +
           "1 FAMS @F1@|0 @I3@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|"
           "0 @I4@ INDI|1 NAME Lena /Alt/|1 FAMC @F2@|0 @F1@ FAM|1 HUSB @I9@|1 WIFE @I2@|"
           "1 CHIL @I3@|0 @F2@ FAM|1 HUSB @I1@|1 WIFE @I8@|1 CHIL @I4@",
       "\r\n### Person 3 hat gel\xC3\xB6schten Vater 9 \r\n[3] Kurt Alt "
       "\r\n### Person 4 hat gel\xC3\xB6schte Mutter 8 \r\n[4] Lena Alt " +
           Corrected(2)},
      // One person as husband and wife.
      {kHans + "1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I1@",
       "\r\n### Fam 1 hat gleiche Person 1 als HUSB und WIFE "
       "\r\n### Fam 1 hat WIFE 1 mit Sex 'M' \r\n Fam [1] Hans Alt - Hans Alt "},
      // A missing partner ends the family's checks; what was counted before stays.
      {kHans + kEva +
           "0 @I3@ INDI|1 NAME Kurt /Alt/|0 @F1@ FAM|1 HUSB @I9@|1 WIFE @I2@|"
           "1 CHIL @I3@|0 @F2@ FAM|1 HUSB @I1@|1 WIFE @I8@|1 CHIL @I3@",
       "\r\n### Fam 1 hat gel\xC3\xB6schten HUSB 9 \r\n Fam [1] - Eva Alt "
       "\r\n### HUSB 1 ohne FAMS 2 \r\n Fam [2] Hans Alt "
       "\r\n### Fam 2 hat gel\xC3\xB6schte WIFE 8 \r\n Fam [2] Hans Alt " +
           Corrected(1)},
      // Nameless persons stay; partners get their sex (uncounted) and spouse family.
      {"0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX F|0 @I2@ INDI|1 NAME Eva /Alt/|0 @I3@ INDI|1 SEX F|"
       "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@",
       "\r\n### Person 3 hat keinen Namen"
       "\r\n### Fam 1 hat HUSB 1 mit Sex 'F' \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### HUSB 1 ohne FAMS 1 \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### Fam 1 hat WIFE 2 mit Sex '' \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### WIFE 2 ohne FAMS 1 \r\n Fam [1] Hans Alt - Eva Alt " +
           Corrected(2)},
      // Families without partners and with fewer than two children are deleted.
      {"0 @I1@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @I2@ INDI|1 NAME Lena /Alt/|1 FAMC @F2@|"
       "0 @I3@ INDI|1 NAME Max /Alt/|1 FAMC @F2@|"
       "0 @F1@ FAM|1 CHIL @I1@|0 @F2@ FAM|1 CHIL @I2@|1 CHIL @I3@|0 @F3@ FAM",
       "\r\n### Leere FAM 1 (gel\xC3\xB6scht)\r\n### Leere FAM 3 (gel\xC3\xB6scht)" + Corrected(2)},
      // Children: missing back link, doubled, missing, not a reference.
      {kHans + "1 FAMS @F1@|1 FAMS @F2@|1 FAMS @F3@|0 @I2@ INDI|1 NAME Kurt /Alt/|"
               "0 @I3@ INDI|1 NAME Lena /Alt/|1 FAMC @F1@|"
               "0 @F1@ FAM|1 HUSB @I1@|1 CHIL @I2@|1 CHIL @I3@|1 CHIL @I3@|"
               "0 @F2@ FAM|1 HUSB @I1@|1 CHIL @I9@|0 @F3@ FAM|1 HUSB @I1@|1 CHIL kein Verweis",
       "\r\n### Kind 2 ohne FAMC 1 \r\n Fam [1] Hans Alt "
       "\r\n### Fam 1 hat doppelte CHIL 3 \r\n Fam [1] Hans Alt "
       "\r\n### Fam 2 hat gel\xC3\xB6scht CHIL 9 \r\n Fam [2] Hans Alt "
       "\r\n### Fam 3 hat gel\xC3\xB6scht CHIL 0 \r\n Fam [3] Hans Alt "
       "\r\n### Fam 3 hat doppelte CHIL 0 \r\n Fam [3] Hans Alt " +
           Corrected(5)},
  };
  for (const auto& [lines, report] : cases) {
    Loader loader;
    ASSERT_TRUE(loader.LoadText(Ged(lines)));
    EXPECT_EQ(loader.RepairReport(), report) << lines;
  }
}

// The only child of a family deleted as empty lets it go: no link points at nothing.
TEST(LinkRepair, TheChildOfAnEmptyFamilyLetsItGo) {
  Loader loader;
  ASSERT_TRUE(
      loader.LoadText(Ged("0 @I1@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @F1@ FAM|"
                          "1 CHIL @I1@|0 TRLR")));
  EXPECT_TRUE(loader.store.personTable[1].famc.Empty());
  EXPECT_EQ(loader.store.familyTable[1].flags, 0u);
}

// The count and the report of one repair call.
template <typename Repair>
std::string Repaired(ReadRun& run, Repair repair, int number) {
  const std::size_t before = run.diagnostics.ReportText().size();
  const int count = repair(run.store, run.diagnostics, number);
  return std::to_string(count) + std::string(run.diagnostics.ReportText().substr(before));
}

// Links a load cannot produce (the reader drops doubled person links, and records a file
// lacks have no links) but editing can: two families, changed in place.
TEST(LinkRepair, RepairsDoubledLinksAndLinksOfDeletedRecords) {
  ReadRun run(Ged(kCouple +
                  "0 @I3@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @I4@ INDI|1 FAMS @F2@|"
                  "0 @I5@ INDI|1 NAME Lena /Neu/|1 FAMS @F2@|0 @I6@ INDI|1 NAME Max /Neu/|"
                  "1 FAMC @F2@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|"
                  "0 @F2@ FAM|1 HUSB @I4@|1 WIFE @I5@|1 CHIL @I6@"));
  ListAppend(run.store.personTable[1].fams, 1);
  ListAppend(run.store.personTable[3].famc, 1);
  run.store.personTable[5].flags = run.store.personTable[6].flags = 0;
  std::string reports;
  for (const Rin rin : {1, 3, 5, 6}) reports += Repaired(run, RepairPersonLinks, rin);
  run.store.familyTable[1].flags = 0;
  reports += Repaired(run, RepairFamilyLinks, 1);
  EXPECT_EQ(reports,
            "1\r\n### Person 1 hat doppelte FAMS 1 "
            "1\r\n### Person 3 hat doppelte FAMC 1 \r\n[3] Kurt Alt "
            "1\r\n### Person 5 gel\xC3\xB6scht, aber FAMS 2 ungel\xC3\xB6scht\r\n[5] Lena Neu "
            "1\r\n### Person 6 gel\xC3\xB6scht, aber FAMC 2 ungel\xC3\xB6scht\r\n[6] Max Neu "
            "3\r\n### Fam 1 gel\xC3\xB6scht, aber referenziert durch ungel\xC3\xB6schten HUSB 1 "
            "\r\n### Fam 1 gel\xC3\xB6scht, aber referenziert durch ungel\xC3\xB6schte WIFE 2 "
            "\r\n### Fam 1 gel\xC3\xB6scht, aber referenziert durch ungel\xC3\xB6schtes CHIL 3 ");
  EXPECT_EQ(std::pair(run.F(2).wife, run.F(2).children.Count()), std::pair(0, 0));
  EXPECT_TRUE(run.P(1).fams.Empty() && run.P(2).fams.Empty() && run.P(3).famc.Empty());
  EXPECT_NE(run.P(1).flags & run.P(2).flags & run.P(3).flags & ChangedFlag, 0u);
}

// Runs of faulty entries, as editing leaves them: after a removal the entry that moved into
// its place is examined too, so none of a run stays.
TEST(LinkRepair, ExaminesTheEntryThatMovedIntoARemovedOnesPlace) {
  ReadRun run(Ged(kCouple + "0 @I3@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @I4@ INDI|"
                            "1 NAME Lena /Neu/|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|"
                            "0 @F2@ FAM|1 WIFE @I2@"));
  for (int i = 0; i < 2; ++i) ListAppend(run.store.personTable[1].fams, 1);  // 1, 1, 1
  for (const Mrin m : {1, 2}) ListAppend(run.store.personTable[4].fams, m);
  for (int i = 0; i < 2; ++i) ListAppend(run.store.familyTable[1].children, 3);
  run.store.personTable[4].flags = 0;
  std::string reports = Repaired(run, RepairPersonLinks, 1) + Repaired(run, RepairPersonLinks, 4) +
                        Repaired(run, RepairFamilyLinks, 1);
  EXPECT_EQ(reports,
            "2\r\n### Person 1 hat doppelte FAMS 1 \r\n### Person 1 hat doppelte FAMS 1 "
            "2\r\n### Person 4 gel\xC3\xB6scht, aber FAMS 1 ungel\xC3\xB6scht\r\n[4] Lena Neu "
            "\r\n### Person 4 gel\xC3\xB6scht, aber FAMS 2 ungel\xC3\xB6scht\r\n[4] Lena Neu "
            "2\r\n### Fam 1 hat doppelte CHIL 3 \r\n Fam [1] Hans Alt - Eva Alt "
            "\r\n### Fam 1 hat doppelte CHIL 3 \r\n Fam [1] Hans Alt - Eva Alt ");
  EXPECT_EQ(run.P(1).fams.Count(), 1);
  EXPECT_TRUE(run.P(4).fams.Empty());
  EXPECT_EQ(run.F(1).children.Count(), 1);
}

}  // namespace
}  // namespace korvane::gedcom_test
