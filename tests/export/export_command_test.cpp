#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "export/backup_names.h"
#include "export_test_util.h"

namespace korvane::export_test {
namespace {

namespace fs = std::filesystem;

const std::string kTwoPersons =
    Ged({"0 HEAD", "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 BIRT", "2 DATE 1852", "0 @I2@ INDI",
         "1 NAME Anna /Köhler/", "0 TRLR"});

TEST(BackupNames, TakesTheFirstFreeNumberBesideTheTarget) {
  struct Case {
    std::string target;
    std::set<std::string> existing;
    std::string backup;
  };
  std::set<std::string> upTo99 = {"/a/f.bak"};
  for (int n = 1; n <= 99; ++n) {
    upTo99.insert("/a/f.b" + std::string(n < 10 ? "0" : "") + std::to_string(n));
  }
  const Case cases[] = {
      {"C:\\a\\f.ged", {"C:\\a\\f.ged", "C:\\a\\f.bak", "C:\\a\\f.b01"}, "C:\\a\\f.b02"},
      {"/a/neu.ged", {}, "/a/neu.bak"},
      {"C:\\my.dir\\f.ged", {"C:\\my.dir\\f.bak"}, "C:\\my.dir\\f.b01"},
      {"my.dir/f", {}, "my.dir/f.bak"},
      {"/a/f.ged", upTo99, "/a/f.b100"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        BackupPathFor(c.target, [&](const std::string& p) { return c.existing.count(p) > 0; }),
        c.backup);
  }
  const std::pair<std::string, std::string> logs[] = {
      {"C:\\a\\f.b02", "C:\\a\\f.l02"}, {"/a/f.b100", "/a/f.l100"}, {"/a/f.bak", "/a/f.log"},
      {"/a/neu.ged", "/a/neu.log"},     {"/a/f.b00", "/a/f.log"},   {"my.dir/f", "my.dir/f.log"},
      {"/a/f.b1x", "/a/f.log"},
  };
  for (const auto& [backup, log] : logs) EXPECT_EQ(RotatedLogPath(backup), log) << backup;
}

// The texts of status part 0 since the load, in order.
Lines FileStatus(const ScriptedUi& ui) {
  Lines texts;
  for (const std::string& entry : ui.StatusHistory()) {
    if (entry.starts_with("0: ") && !entry.starts_with("0: Laden ")) {
      texts.push_back(entry.substr(3));
    }
  }
  return texts;
}

TEST(ExportCommand, KeepsTheTargetAsItsNextBackupWithTheLogBesideIt) {
  Session s;
  const std::string current = s.folder.Write("f.ged", kTwoPersons);
  s.folder.Write("f.bak", "bak");
  s.folder.Write("f.b01", "b01");
  ASSERT_TRUE(s.Load(current));
  s.SelectAll();
  s.P(2).flags |= ChangedFlag;
  s.store.changeCounters.corrections = 3;
  s.ui.QueueFile(current);
  ASSERT_TRUE(ExportCommand(s.context));

  const FileDialogRequest& dialog = s.ui.FileDialogs().at(0);
  EXPECT_EQ(dialog.filterName, "GED Dateien (*.ged)");
  EXPECT_EQ(dialog.pattern, "*.ged");
  EXPECT_EQ(dialog.defaultExtension, ".ged");
  EXPECT_FALSE(dialog.mustExist);
  EXPECT_EQ(s.folder.Names(), (Lines{"f.b01", "f.b02", "f.bak", "f.ged", "f.l02"}));
  EXPECT_EQ(ReadFile(s.folder.Path("f.b02")), kTwoPersons);
  EXPECT_EQ(ReadFile(s.folder.Path("f.bak")), "bak");
  EXPECT_EQ(ReadFile(s.folder.Path("f.b01")), "b01");
  EXPECT_EQ(ReadFile(current), kTwoPersons);  // everything selected, nothing to change
  const std::string log = ReadFile(s.folder.Path("f.l02"));
  EXPECT_NE(log.find("\n- Auto-Source: " + current + "\n"), std::string::npos) << log;
  EXPECT_NE(log.find("\n(Backup in: " + s.folder.Path("f.b02") + ")\n"), std::string::npos) << log;

  EXPECT_EQ(FileStatus(s.ui),
            (Lines{"Exportiere f.ged ...", "f.ged teil-exportieren", "f.ged exportiert"}));
  EXPECT_EQ(s.BoxTexts(), Lines{});
  EXPECT_EQ(s.shell.viewResets, 1);
  for (const Person& p : s.store.personTable) EXPECT_EQ(p.flags & (SelectedFlag | ChangedFlag), 0u);
  EXPECT_EQ(s.store.changeCounters.corrections, 0);
  EXPECT_EQ(s.file.path, current);
  EXPECT_EQ(s.file.displayName, "f.ged");
}

TEST(ExportCommand, WritesANewTargetWithoutBackupAndFollowsTheLastDotOfTheName) {
  struct Case {
    std::string loaded;
    std::string target;
    Lines files;
  };
  const Case cases[] = {
      {"f.ged", "neu.ged", {"f.ged", "neu.ged", "neu.log"}},
      {"f.ged", "F.GED", {"F.GED", "F.log", "f.ged"}},
      {"my.dir/f.ged", "my.dir/f.ged", {"f.bak", "f.ged", "f.log"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    Session s;
    const std::string loaded = s.folder.Write(c.loaded, kTwoPersons);
    ASSERT_TRUE(s.Load(loaded));
    s.Select(1);
    const std::string target = s.folder.Path(c.target);
    s.ui.QueueFile(target);
    ASSERT_TRUE(ExportCommand(s.context));
    EXPECT_EQ(s.folder.Names(fs::path(c.target).parent_path().string()), c.files);
    EXPECT_EQ(FileLines(target), (Lines{"0 HEAD", "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 BIRT",
                                        "2 DATE 1852", "0 TRLR"}));
    if (c.loaded != c.target) {
      EXPECT_EQ(ReadFile(loaded), kTwoPersons);
    }
    EXPECT_EQ(s.file.path, target);
  }
}

// The test's folder name must not hold the letters the check looks for anywhere in the path.
TEST(ExportCommand, RefusesTxtTargetsSilently) {
  for (const std::optional<std::string>& choice :
       {std::optional<std::string>{}, std::optional<std::string>{"f.txt"}}) {
    Session s;
    ASSERT_TRUE(s.LoadText(kTwoPersons));
    s.SelectAll();
    const Lines before = s.folder.Names();
    s.ui.QueueFile(choice ? std::optional(s.folder.Path(*choice)) : std::nullopt);
    EXPECT_FALSE(ExportCommand(s.context));
    EXPECT_EQ(s.folder.Names(), before);
    EXPECT_EQ(s.BoxTexts(), Lines{});
    EXPECT_EQ(FileStatus(s.ui), Lines{});
    EXPECT_NE(s.P(1).flags & SelectedFlag, 0u);
  }
}

// Every step of the export may fail; whatever fails, the files, the data and the current
// file stay as they were and nothing claims to be exported.
TEST(ExportCommand, AFailedExportLeavesEverythingAsItWas) {
  struct Case {
    const char* name;
    std::string target;  // in the folder
    bool removeSource;
    std::string firstBox;  // %s: the folder
  };
  const Case cases[] = {
      {"folder missing", "fehlt/out.ged", false, "Fehler beim Öffnen der Datei '%sfehlt/out.ged'"},
      {"parent is a file", "in.ged/out.ged", false,
       "Fehler beim Öffnen der Datei '%sin.ged/out.ged'"},
      {"source gone", "out.ged", true, "Original GED Datei %sin.ged nicht gefunden!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    ASSERT_TRUE(s.LoadText(kTwoPersons));
    s.folder.Write("out.ged", "vorher");
    if (c.removeSource) fs::remove(s.folder.Path("in.ged"));
    s.SelectAll();
    s.P(1).flags |= ChangedFlag;
    const Lines before = s.folder.Names();
    const std::string folder = s.folder.Path("");
    const std::string target = s.folder.Path(c.target);
    s.ui.QueueFile(target);
    EXPECT_FALSE(ExportCommand(s.context));

    std::string first = c.firstBox;
    first.replace(first.find("%s"), 2, folder);
    EXPECT_EQ(s.BoxTexts(),
              (Lines{"FEHLER: " + first,
                     "FEHLER: \r\nSpeichen von GED file nicht möglich:\r\n" + target}));
    EXPECT_EQ(s.folder.Names(), before);
    EXPECT_EQ(ReadFile(s.folder.Path("out.ged")), "vorher");
    EXPECT_EQ(FileStatus(s.ui).back(), "Exportiere out.ged ...");
    EXPECT_EQ(s.shell.viewResets, 0);
    EXPECT_EQ(s.P(1).flags & (SelectedFlag | ChangedFlag), SelectedFlag | ChangedFlag);
    EXPECT_EQ(s.file.path, s.folder.Path("in.ged"));
  }
}

TEST(ExportCommand, ASecondExportInTheSameRunRebuildsFromTheFirstExport) {
  Session s;
  // The first export drops the note and the unselected Anna and renames @P1@: every
  // record moves in the new file.
  // clang-format off
  ASSERT_TRUE(s.LoadText(Ged({
      "0 HEAD",
      "0 @N1@ NOTE von niemandem erwähnt", "1 CONT mit zwei Zeilen",
      "0 @I2@ INDI", "1 NAME Anna /Köhler/",
      "0 @P1@ INDI", "1 NAME Karl /Brandt/", "1 BIRT", "2 DATE 1852", "2 PLAC Weißenfels",
          "1 OCCU Müller",
      "0 @I3@ INDI", "1 NAME Otto /Brandt/", "1 DEAT", "2 PLAC Naumburg",
      "0 TRLR"})));
  // clang-format on
  s.Select({1, 3});
  s.P(1).birthDate = PackedDate::Make(1853);
  s.P(1).flags |= ChangedFlag;
  ASSERT_FALSE(s.Export("a.ged").empty());
  EXPECT_EQ(s.file.recordsPath, s.folder.Path("a.ged"));

  s.Select({1, 3});
  s.P(1).birthPlace = InternText(s.store.texts, TextPoolId::Places, "Leipzig");
  s.P(3).deathDate = PackedDate::Make(1920);
  s.P(3).flags |= HasDeathDateFlag;
  s.P(1).flags |= ChangedFlag;
  s.P(3).flags |= ChangedFlag;
  EXPECT_EQ(s.Export("b.ged"),
            (Lines{"0 HEAD", "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 BIRT", "2 DATE 1853",
                   "2 PLAC Leipzig", "1 OCCU Müller", "0 @I3@ INDI", "1 NAME Otto /Brandt/",
                   "1 DEAT", "2 PLAC Naumburg", "2 DATE 1920", "0 TRLR"}));
  EXPECT_EQ(s.BoxTexts(), Lines{});
}

}  // namespace
}  // namespace korvane::export_test
