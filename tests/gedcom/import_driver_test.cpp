#include "gedcom/import_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "gedcom/line_reader.h"
#include "gedcom_test_util.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

using Strings = std::vector<std::string>;

const std::string kTwoPersons =
    Ged("0 HEAD|0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|0 @I2@ INDI|1 NAME Eva /Alt/|"
        "1 SEX F|1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|0 TRLR");

std::tm Saturday() {
  std::tm time{};
  time.tm_year = 2026 - 1900, time.tm_mon = 11, time.tm_mday = 5, time.tm_wday = 6;
  time.tm_hour = 10, time.tm_min = 26;
  return time;
}

// What the program holds of the records, one line each.
std::string Digest(const Store& store) {
  std::ostringstream out;
  for (const Person& p : store.personTable) {
    out << Text(p.givenNames) << '/' << Text(p.surname) << ' ' << +p.sex << ' ' << p.flags << ' '
        << p.birthDate.bits << Text(p.birthPlace) << ' ' << p.deathDate.bits << Text(p.deathPlace)
        << ' ' << Text(p.burialPlace) << ' ' << testing::PrintToString(Entries(p.fams))
        << testing::PrintToString(Entries(p.famc)) << '\n';
  }
  for (const Family& f : store.familyTable) {
    out << f.husband << '+' << f.wife << ' ' << f.flags << ' ' << f.marriageDate.bits
        << Text(f.marriagePlace) << ' ' << testing::PrintToString(Entries(f.children)) << '\n';
  }
  return out.str();
}

Strings BoxTexts(const ScriptedUi& ui) {
  Strings texts;
  for (const auto& box : ui.Boxes()) texts.push_back(box.title + ": " + box.text);
  return texts;
}

TEST(ImportDriver, ChecksTheExtensionAsWritten) {
  Loader loader;
  ASSERT_TRUE(loader.LoadText(kTwoPersons, "familie.GED"));
  EXPECT_TRUE(loader.LoadText(kTwoPersons, "x.ged.txt"));
  loader.shell.calls.clear();

  const std::string refused = loader.folder.Write("familie.Ged", kTwoPersons);
  EXPECT_FALSE(loader.Load(refused));
  EXPECT_EQ(BoxTexts(loader.ui), Strings{"FEHLER: \r\nDateierweiterung .ged fehlt in " + refused});
  // Nothing else changes: the data of the last load stay.
  EXPECT_TRUE(loader.shell.calls.empty());
  EXPECT_EQ(loader.store.PersonCount(), 2);
  EXPECT_EQ(loader.file.displayName, "x.ged.txt");
}

TEST(ImportDriver, WritesTheLogHeaderBeforeTheRecords) {
  Loader loader;
  loader.diagnostics.SetClock(Saturday);
  const std::string path =
      loader.folder.Write("b.ged", Ged("0 @I1@ INDI|1 FAMS @F1@|1 FAMS @F1@|0 @F1@ FAM"));
  const std::string header =
      "\n# Korvane 2.7.9\n# Sa   5 Dez 2026 10:26 \r\n\nImport: " + path + "\n\n";
  ASSERT_TRUE(loader.Load(path));
  EXPECT_EQ(loader.diagnostics.LogPath(), loader.folder.Path("korvane.log"));
  const std::string once = header + "RIN 1 hat doppelte FAMS 1: ignoriert\r\n";
  EXPECT_EQ(ReadFile(loader.folder.Path("korvane.log")), once);
  ASSERT_TRUE(loader.Load(path));  // every import adds its own header
  EXPECT_EQ(ReadFile(loader.folder.Path("korvane.log")), once + once);
}

TEST(ImportDriver, ReportsASuccessfulLoadEverywhere) {
  Loader loader;
  const std::string path = loader.folder.Write("b.ged", "\xEF\xBB\xBF" + kTwoPersons);
  ASSERT_TRUE(loader.Load(path));
  EXPECT_TRUE(loader.ui.Boxes().empty());
  EXPECT_EQ(loader.Report(), "2 Personen 1 Familien importiert\r\n\r\nb.ged geladen in 3 Sek\r\n");
  EXPECT_EQ(loader.shell.calls, (Strings{"ResetToEmpty", "WaitUntilSortReady", "ShowStatus",
                                         "UpdateRecentFiles " + path, "EnableDataCommands",
                                         "RebuildCompletionLists", "ShowTab 0"}));
  const Strings& status = loader.ui.StatusHistory();
  ASSERT_GE(status.size(), 3u);
  EXPECT_EQ(status.front(), "0: Laden b.ged ...");
  EXPECT_EQ(Strings(status.end() - 2, status.end()),
            (Strings{"1: 2 Personen", "1: 2 Personen 1 Familien"}));
  EXPECT_FALSE(loader.ui.ProgressVisible());

  // What the export needs to know of the file.
  EXPECT_EQ(loader.file.path + " " + loader.file.displayName, path + " b.ged");
  EXPECT_EQ(loader.file.encoding.encoding, FileEncoding::Utf8);
  EXPECT_EQ(loader.file.encoding.bomLength, 3u);
  EXPECT_EQ(loader.store.baselinePersonCount, 2);
  EXPECT_EQ(loader.file.baselineFamilyCount, 1);

  // A second load replaces the first completely.
  ASSERT_TRUE(loader.LoadText(Ged("0 @I1@ INDI|1 NAME Solo /Neu/"), "c.ged"));
  EXPECT_EQ(loader.store.PersonCount(), 1);
  EXPECT_EQ(loader.store.FamilyCount(), 0);
  EXPECT_TRUE(loader.P(1).fams.Empty());
  EXPECT_EQ(loader.file.encoding.encoding, FileEncoding::Cp1252);
  EXPECT_EQ(loader.Report(), "1 Personen 0 Familien importiert\r\n\r\nc.ged geladen in 3 Sek\r\n");

  // Reloading passes the path the load itself keeps.
  ASSERT_TRUE(loader.Load(loader.file.path));
  EXPECT_EQ(loader.file.displayName, "c.ged");
  EXPECT_EQ(Text(loader.P(1).givenNames), "Solo");
  EXPECT_TRUE(loader.ui.Boxes().empty());
}

TEST(ImportDriver, FailuresShowWhyAndLeaveTheProgramEmpty) {
  const std::string cannotLoad =
      "FEHLER: \r\nLaden von GED Datei b.ged nicht m\xC3\xB6glich.\r\n"
      "Bitte andere GED Datei importieren";
  const struct {
    const char* what;
    std::string bytes;  // none: the file does not exist
    Strings boxes;
  } cases[] = {
      {"missing", "", {"FEHLER: Original GED Datei <path> nicht gefunden!", cannotLoad}},
      {"empty", "", {cannotLoad}},
      {"only a header", "0 HEAD", {cannotLoad}},
      {"families only", Ged("0 HEAD|0 @F1@ FAM|0 TRLR"), {cannotLoad}},
      {"too many persons",
       Ged("0 @I10000000@ INDI|0 @I@ INDI"),
       {"FEHLER: \r\n GED Datei zu gro\xC3\x9F. >10000000 Personen", cannotLoad}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Loader loader;
    ASSERT_TRUE(loader.LoadText(kTwoPersons));
    loader.shell.calls.clear();
    const std::string path = loader.folder.Path("b.ged");
    std::filesystem::remove(path);
    if (std::string_view(c.what) != "missing") loader.folder.Write("b.ged", c.bytes);

    EXPECT_FALSE(loader.Load(path));
    Strings expected = c.boxes;
    for (std::string& box : expected) {
      if (const auto at = box.find("<path>"); at != std::string::npos) box.replace(at, 6, path);
    }
    EXPECT_EQ(BoxTexts(loader.ui), expected);
    EXPECT_EQ(loader.ui.StatusText(1), "Maximal 10000000 Personen pro GED Datei!");
    EXPECT_EQ(loader.store.PersonCount(), 0);
    EXPECT_EQ(loader.store.FamilyCount(), 0);
    EXPECT_EQ(loader.shell.calls.front(), "ResetToEmpty");
    EXPECT_EQ(std::count(loader.shell.calls.begin(), loader.shell.calls.end(), "ShowTab 0"), 0);
  }
}

TEST(ImportDriver, ReadsTheUtf16SampleLikeTheUtf8One) {
  const std::string shared = KORVANE_SHARED_TESTDATA;
  if (!std::filesystem::exists(shared + "/555SAMPLE16LE.GED")) {
    GTEST_SKIP() << "no shared test files in " << shared;
  }
  Loader utf8, utf16;
  ASSERT_TRUE(utf8.Load(utf8.folder.Copy(shared + "/555SAMPLE.GED")));
  ASSERT_TRUE(utf16.Load(utf16.folder.Copy(shared + "/555SAMPLE16LE.GED")));
  EXPECT_EQ(utf8.file.encoding.encoding, FileEncoding::Utf8);
  EXPECT_EQ(utf16.file.encoding.encoding, FileEncoding::Utf16Le);
  EXPECT_EQ(Text(utf16.P(1).givenNames), "Robert Eugene");
  EXPECT_EQ(Digest(utf16.store), Digest(utf8.store));
  EXPECT_EQ(utf16.RepairReport(), utf8.RepairReport());

  // Record offsets count bytes of the file, also in UTF-16.
  FilePtr file(std::fopen(utf16.file.path.c_str(), "rb"));
  LineReader reader(file.get(), FileEncoding::Utf16Le);
  reader.Seek(utf16.P(1).recordOffset);
  GedLine line;
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line.text, "1 NAME Robert Eugene /Williams/");
}

}  // namespace
}  // namespace korvane::gedcom_test
