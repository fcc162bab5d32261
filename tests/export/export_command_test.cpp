#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "export_test_util.h"

namespace korvane::export_test {
namespace {

const std::string kTwoPersons =
    Ged("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 BIRT|2 DATE 1852|0 @I2@ INDI|"
        "1 NAME Anna /Köhler/|0 TRLR");

// After the export the target is the current file. A target that existed is kept as its
// next free backup, with the log under the backup's number beside it.
TEST(ExportCommand, WritesTheTargetAndKeepsAnOldOneAsItsNextBackup) {
  const struct {
    std::string loaded, target, old;  // where the old bytes of the target are afterwards
    Lines files;                      // in the target's folder
  } cases[] = {
      {"f.ged", "f.ged", "f.b02", {"f.b01", "f.b02", "f.bak", "f.ged", "f.l02"}},
      {"f.ged", "neu.ged", "f.ged", {"f.b01", "f.bak", "f.ged", "neu.ged", "neu.log"}},
      {"f.ged", "F.GED", "f.ged", {"F.GED", "F.log", "f.b01", "f.bak", "f.ged"}},
      {"my.dir/f.ged", "my.dir/f.ged", "my.dir/f.bak", {"f.bak", "f.ged", "f.log"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    Session s;
    s.folder.Write("f.bak", "bak");
    s.folder.Write("f.b01", "b01");
    ASSERT_TRUE(s.Load(s.folder.Write(c.loaded, kTwoPersons)));
    s.Select({1});
    s.P(2).flags |= ChangedFlag;
    s.ui.QueueFile(s.folder.Path(c.target));
    ASSERT_TRUE(ExportCommand(s.context));
    EXPECT_EQ(s.folder.Names(std::filesystem::path(c.target).parent_path().string()), c.files);
    EXPECT_EQ(FileLines(s.folder.Path(c.target)),
              Split("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 BIRT|2 DATE 1852|0 TRLR"));
    EXPECT_EQ(ReadFile(s.folder.Path(c.old)), kTwoPersons);
    EXPECT_EQ(ReadFile(s.folder.Path("f.b01")), "b01");
    EXPECT_EQ(s.BoxTexts(), Lines{});
    EXPECT_EQ(s.shell.viewResets, 1);
    for (const Person& p : s.store.personTable) {
      EXPECT_EQ(p.flags & (SelectedFlag | ChangedFlag), 0u);
    }
    EXPECT_EQ(s.file.path, s.folder.Path(c.target));
  }
}

// Whether refused (silently: no box, no status) or failed at any step, the files, the
// data and the current file stay as they were.
TEST(ExportCommand, ARefusedOrFailedExportLeavesEverythingAsItWas) {
  const struct {
    std::optional<std::string> target;  // none: the dialog was cancelled
    bool removeSource;
    std::string firstBox;  // '%' for the folder; empty for a silent refusal
  } cases[] = {
      {std::nullopt, false, ""},
      {"f.txt", false, ""},  // the test's folder name must not hold the letters checked
      {"fehlt/out.ged", false,
       "Fehler beim Öffnen der Datei '%fehlt/out.ged'\r\nDie Datei oder der Ordner existiert "
       "nicht"},
      {"out.ged", true, "Original GED Datei %in.ged nicht gefunden!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target.value_or("cancelled"));
    Session s;
    ASSERT_TRUE(s.LoadText(kTwoPersons));
    s.folder.Write("out.ged", "vorher");
    if (c.removeSource) std::filesystem::remove(s.folder.Path("in.ged"));
    s.SelectAll();
    s.P(1).flags |= ChangedFlag;
    const Lines before = s.folder.Names();
    const std::size_t statusTexts = s.ui.StatusHistory().size();
    s.ui.QueueFile(c.target ? std::optional(s.folder.Path(*c.target)) : std::nullopt);
    EXPECT_FALSE(ExportCommand(s.context));

    Lines boxes;
    if (!c.firstBox.empty()) {
      std::string first = c.firstBox;
      first.replace(first.find('%'), 1, s.folder.Path(""));
      boxes = {"FEHLER: " + first,
               "FEHLER: \r\nSpeichen von GED file nicht möglich:\r\n" + s.folder.Path(*c.target)};
    }
    EXPECT_EQ(s.BoxTexts(), boxes);
    EXPECT_EQ(s.ui.StatusHistory().size() == statusTexts, boxes.empty());
    EXPECT_EQ(s.folder.Names(), before);
    EXPECT_EQ(ReadFile(s.folder.Path("out.ged")), "vorher");
    EXPECT_EQ(s.shell.viewResets, 0);
    EXPECT_EQ(s.P(1).flags & (SelectedFlag | ChangedFlag), SelectedFlag | ChangedFlag);
    EXPECT_EQ(s.file.path, s.folder.Path("in.ged"));
  }
}

TEST(ExportCommand, ASecondExportInTheSameRunRebuildsFromTheFirstExport) {
  Session s;
  // The first export drops the note and the unselected Anna and renames @P1@: every
  // record moves in the new file.
  ASSERT_TRUE(
      s.LoadText(Ged("0 HEAD|0 @N1@ NOTE von niemandem erwähnt|1 CONT mit zwei Zeilen|0 @I2@ INDI|"
                     "1 NAME Anna /Köhler/|0 @P1@ INDI|1 NAME Karl /Brandt/|1 BIRT|2 DATE 1852|"
                     "2 PLAC Weißenfels|1 OCCU Müller|0 @I3@ INDI|1 NAME Otto /Brandt/|1 DEAT|"
                     "2 PLAC Naumburg|0 TRLR")));
  s.Select({1, 3});
  s.P(1).birthDate = PackedDate::Make(1853);
  s.P(1).flags |= ChangedFlag;
  ASSERT_FALSE(s.Export("a.ged").empty());
  EXPECT_EQ(s.file.recordsPath, s.folder.Path("a.ged"));

  s.Select({1, 3});
  s.P(1).birthPlace = InternText(s.store.texts, TextPoolId::Places, "Leipzig");
  s.P(3).deathDate = PackedDate::Make(1920);
  s.P(3).flags |= HasDeathDateFlag | ChangedFlag;
  s.P(1).flags |= ChangedFlag;
  EXPECT_EQ(s.Export("b.ged"),
            Split("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 BIRT|2 DATE 1853|2 PLAC Leipzig|"
                  "1 OCCU Müller|0 @I3@ INDI|1 NAME Otto /Brandt/|1 DEAT|2 PLAC Naumburg|"
                  "2 DATE 1920|0 TRLR"));
}

}  // namespace
}  // namespace korvane::export_test
