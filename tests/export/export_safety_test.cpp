#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "export_test_util.h"

namespace korvane::export_test {
namespace {

namespace fs = std::filesystem;

const std::string kFamily =
    Ged("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 FAMS @F1@|0 @I2@ INDI|1 NAME Anna /Köhler/|"
        "1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|0 TRLR");

// A session with "f.ged" loaded, both persons selected, and an older backup "f.bak".
struct Exporting : Session {
  Exporting() {
    folder.Write("f.bak", "bak");
    EXPECT_TRUE(Load(folder.Write("f.ged", kFamily)));
    SelectAll();
    P(1).flags |= ChangedFlag;
  }
  // Exports onto the loaded file itself, which then gets the backup "f.b01".
  bool ExportOntoItself() { return ExportTo(context, folder.Path("f.ged")); }
  // Files that hold no user data: the program log and its rotated copies.
  Lines DataFiles() const {
    Lines names;
    for (const std::string& name : folder.Names()) {
      if (!name.ends_with(".log") && name.find(".l0") == std::string::npos) names.push_back(name);
    }
    return names;
  }
};

// Whatever step fails, the target keeps its bytes, no backup is touched or left half
// made, nothing temporary stays behind, and the box says why.
TEST(ExportSafety, AFailingStepLeavesTargetAndBackupsAsTheyWere) {
  const struct {
    const char* what;
    std::function<void(FaultyFileSystem&)> fault;
    std::string box;  // its start; '%' for the folder
  } cases[] = {
      {"link refused", [](FaultyFileSystem& f) { f.FailAt(FileOp::Link, 1, EACCES); },
       "Sicherungskopie '%f.b01' kann nicht angelegt werden:\r\nKeine Berechtigung"},
      {"copy instead of link fails",
       [](FaultyFileSystem& f) {
         f.FailAt(FileOp::Link, 1, EXDEV);
         f.FailAt(FileOp::Sync, 2, EIO);
       },
       "Sicherungskopie '%f.b01' kann nicht angelegt werden:\r\nEin-/Ausgabefehler"},
      {"new file not renamed", [](FaultyFileSystem& f) { f.FailAt(FileOp::Rename, 1, EBUSY); },
       "Die Datei '%f.ged' kann nicht ersetzt werden:\r\nDie Datei wird gerade benutzt"},
      {"write half-way", [](FaultyFileSystem& f) { f.FailWriteAtByte(40, ENOSPC); },
       "Fehler beim Schreiben der Datei '%f.ged'\r\nDer Datenträger ist voll"},
      {"disk full on sync", [](FaultyFileSystem& f) { f.FailAt(FileOp::Sync, 1, ENOSPC); },
       "Fehler beim Schreiben der Datei '%f.ged'\r\nDer Datenträger ist voll"},
      {"read-only on close",  // the export's two log lines close the log first
       [](FaultyFileSystem& f) { f.FailAt(FileOp::Close, 3, EROFS); },
       "Fehler beim Schreiben der Datei '%f.ged'\r\nDer Datenträger ist schreibgeschützt"},
      {"temporary not created",
       [](FaultyFileSystem& f) { f.FailAt(FileOp::CreateTemporary, 1, EACCES); },
       "Fehler beim Öffnen der Datei '%f.ged'\r\nKeine Berechtigung"},
      {"source unreadable", [](FaultyFileSystem& f) { f.FailReadAtByte(30, EIO); },
       "Fehler beim Lesen der GED Datei %f.ged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Exporting s;
    const Lines before = s.DataFiles();
    c.fault(s.files);
    EXPECT_FALSE(s.ExportOntoItself());
    std::string box = c.box;
    box.replace(box.find('%'), 1, s.folder.Path(""));
    ASSERT_EQ(s.BoxTexts().size(), 1u);
    EXPECT_TRUE(s.BoxTexts()[0].starts_with("FEHLER: " + box)) << s.BoxTexts()[0];
    EXPECT_EQ(s.DataFiles(), before);
    EXPECT_EQ(ReadFile(s.folder.Path("f.ged")), kFamily);
    EXPECT_EQ(ReadFile(s.folder.Path("f.bak")), "bak");
    EXPECT_EQ(s.file.recordsPath, s.folder.Path("f.ged"));

    // Once the fault is gone, the same export goes through from the same tables.
    s.files.Heal();
    s.SelectAll();
    EXPECT_TRUE(s.ExportOntoItself());
    EXPECT_EQ(ReadFile(s.folder.Path("f.b01")), kFamily);
  }
}

// Killed after any step of an export onto the loaded file, with links and with copies:
// the target exists with its old or its new bytes, never without, earlier backups stay,
// and the next load removes what was left temporary.
TEST(ExportSafety, AKillAtAnyStepNeverLosesTheTarget) {
  for (const bool links : {true, false}) {
    SCOPED_TRACE(links ? "links" : "copies");
    std::string exported;
    int steps = 0;
    {
      Exporting s;
      if (!links) s.files.FailAt(FileOp::Link, 1, EXDEV);
      const int start = s.files.Steps();
      ASSERT_TRUE(s.ExportOntoItself());
      steps = s.files.Steps() - start;
      exported = ReadFile(s.folder.Path("f.ged"));
      EXPECT_EQ(ReadFile(s.folder.Path("f.b01")), kFamily);
    }
    ASSERT_GT(steps, 10);
    for (int step = 0; step < steps; ++step) {
      SCOPED_TRACE(step);
      Exporting s;
      if (!links) s.files.FailAt(FileOp::Link, 1, EXDEV);
      s.files.CrashAtStep(s.files.Steps() + step);
      s.ExportOntoItself();
      const std::string target = ReadFile(s.folder.Path("f.ged"));
      EXPECT_TRUE(target == kFamily || target == exported) << target;
      EXPECT_EQ(ReadFile(s.folder.Path("f.bak")), "bak");
      if (fs::exists(s.folder.Path("f.b01"))) {
        EXPECT_EQ(ReadFile(s.folder.Path("f.b01")), kFamily);
      }

      s.files.Heal();
      ASSERT_TRUE(s.Load(s.folder.Path("f.ged")));
      for (const std::string& name : s.folder.Names()) {
        EXPECT_EQ(name.find(".neu-"), std::string::npos) << name;
      }
    }
  }
}

// A records file that is not the one the tables were read from is not read: nothing is
// written, and the box asks for a new load.
TEST(ExportSafety, ASourceChangedSinceTheLoadIsRefused) {
  const std::string shorter = kFamily.substr(0, kFamily.size() / 2);
  std::string sameSize = kFamily;
  sameSize.replace(sameSize.find("@I2@ INDI"), 9, "@N2@ NOTE");
  const struct {
    const char* what;
    std::string bytes;
    bool keepTime;
  } cases[] = {
      {"cut short", shorter, false},
      {"grown", kFamily + "0 @I3@ INDI\r\n", false},
      {"same size, time kept", sameSize, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Session s;
    ASSERT_TRUE(s.Load(s.folder.Write("f.ged", kFamily)));
    s.SelectAll();
    const auto time = fs::last_write_time(s.folder.Path("f.ged"));
    s.folder.Write("f.ged", c.bytes);
    if (c.keepTime) fs::last_write_time(s.folder.Path("f.ged"), time);
    const Lines before = s.folder.Names();
    EXPECT_FALSE(ExportTo(s.context, s.folder.Path("out.ged")));
    ASSERT_EQ(s.BoxTexts().size(), 1u);
    EXPECT_EQ(s.BoxTexts()[0],
              "FEHLER: Die GED Datei " + s.folder.Path("f.ged") +
                  " wurde seit dem Laden verändert.\r\nBitte neu laden: so würden Datensätze "
                  "fehlen oder falsch geschrieben.");
    EXPECT_EQ(s.folder.Names(), before);
    EXPECT_EQ(ReadFile(s.folder.Path("f.ged")), c.bytes);
  }

  // After an export the check follows the records to the exported file.
  Session s;
  ASSERT_TRUE(s.Load(s.folder.Write("f.ged", kFamily)));
  s.SelectAll();
  ASSERT_TRUE(ExportTo(s.context, s.folder.Path("a.ged")));
  s.SelectAll();
  EXPECT_TRUE(ExportTo(s.context, s.folder.Path("b.ged")));
  s.SelectAll();
  s.folder.Write("b.ged", kFamily + "0 @I3@ INDI\r\n");
  EXPECT_FALSE(ExportTo(s.context, s.folder.Path("c.ged")));
  EXPECT_FALSE(fs::exists(s.folder.Path("c.ged")));
}

// The log moves beside the backup, but never over a file of the user's; across file
// systems it is copied.
TEST(ExportSafety, TheLogRotationKeepsTheUsersOwnFiles) {
  Session s;
  s.folder.Write("stamm.log", "meine Notizen");
  ASSERT_TRUE(s.Load(s.folder.Write("stamm.ged", kFamily)));
  const std::string firstLog = ReadFile(s.folder.Path("korvane.log"));
  EXPECT_TRUE(firstLog.starts_with("\n# Korvane 2.7.9\n# ")) << firstLog;
  s.SelectAll();
  ASSERT_TRUE(ExportTo(s.context, s.folder.Path("stamm.ged")));  // backup stamm.bak
  EXPECT_EQ(ReadFile(s.folder.Path("stamm.log")), "meine Notizen");
  EXPECT_TRUE(ReadFile(s.folder.Path("stamm.log.1")).starts_with(firstLog));
  EXPECT_FALSE(fs::exists(s.folder.Path("korvane.log")));

  // Exported to a new file, the log goes to its ".log": here an earlier log of ours,
  // which it replaces. The log the export started begins as every log of ours does.
  s.diagnostics.LogAppend("\n- Fehlersuche:\n");
  fs::copy_file(s.folder.Path("stamm.log.1"), s.folder.Path("neu.log"));
  s.SelectAll();
  ASSERT_TRUE(ExportTo(s.context, s.folder.Path("neu.ged")));
  const std::string secondLog = ReadFile(s.folder.Path("neu.log"));
  EXPECT_TRUE(secondLog.starts_with("\n# Korvane 2.7.9\n- Fehlersuche:\n")) << secondLog;
  EXPECT_FALSE(fs::exists(s.folder.Path("neu.log.1")));

  // The log cannot be renamed there: it is copied, and the copy replaces it.
  s.diagnostics.LogAppend("\n- Verschmelzung: ");
  const std::string thirdLog = ReadFile(s.folder.Path("korvane.log"));
  s.files.FailAt(FileOp::Rename, 2, EXDEV);  // the first is the new file's
  s.SelectAll();
  ASSERT_TRUE(ExportTo(s.context, s.folder.Path("stamm.ged")));  // backup stamm.b01
  EXPECT_TRUE(ReadFile(s.folder.Path("stamm.l01")).starts_with(thirdLog));
  EXPECT_FALSE(fs::exists(s.folder.Path("korvane.log")));
  EXPECT_EQ(ReadFile(s.folder.Path("stamm.log")), "meine Notizen");
}

// A folder named like a GEDCOM file is no target, and a failed write names its reason.
TEST(ExportSafety, AFolderIsNoTarget) {
  Session s;
  ASSERT_TRUE(s.Load(s.folder.Write("f.ged", kFamily)));
  s.SelectAll();
  fs::create_directory(s.folder.Path("x.ged"));
  s.folder.Write("x.ged/inhalt.txt", "bleibt");
  EXPECT_FALSE(ExportTo(s.context, s.folder.Path("x.ged")));
  EXPECT_EQ(s.BoxTexts(), Lines{"FEHLER: '" + s.folder.Path("x.ged") +
                                "' ist ein Ordner und keine Datei: dorthin wird nicht exportiert"});
  EXPECT_EQ(ReadFile(s.folder.Path("x.ged/inhalt.txt")), "bleibt");
  EXPECT_FALSE(fs::exists(s.folder.Path("x.bak")));
}

}  // namespace
}  // namespace korvane::export_test
