#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "shell/recent_files.h"
#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

// Each time the reader lets the window handle its events, notes what it shows and tries
// what a user could do then, once per load.
class PumpingUi : public ScriptedUi {
 public:
  void PumpPendingMessages() override {
    ScriptedUi::PumpPendingMessages();
    if (app == nullptr) return;
    dataCommands = view->DataCommandsEnabled();
    importEnabled = view->Enabled(kCmdImport);
    busy = app->Busy();
    App* const running = std::exchange(app, nullptr);
    running->RunCommand(kCmdNew);
    running->RunCommand(kCmdImport);
    running->RunCommand(kCmdRecentFile1);
    running->LoadFile(otherFile);
    running->ListDeleteKey();
    running->RunCommand(kCmdInfo);
    closeRefused = !running->CloseRequested();
  }

  App* app = nullptr;
  const RecordingView* view = nullptr;
  std::string otherFile;
  std::optional<bool> dataCommands, importEnabled;
  bool busy = false;
  bool closeRefused = false;
};

TEST(LoadFile, GreysTheCommandsThatChangeDataWhileTheFileIsRead) {
  BasicShell<PumpingUi> s;
  EXPECT_EQ(s.ui.StatusText(0), "Verwende Menu:  DATEI / Importiere GED");
  EXPECT_EQ(s.view.DataCommandsEnabled(), false);
  const std::string first = s.Load("erste.ged");
  s.ui.view = &s.view;
  s.ui.app = &s.app;
  s.ui.otherFile = s.folder.Write("andere.ged", kFamily);
  s.ui.QueueFile(s.ui.otherFile);
  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.RequestTab(kTabFamily);  // a load comes back on the list
  s.app.LoadFile(first);

  EXPECT_EQ(s.ui.dataCommands, false);
  EXPECT_EQ(s.ui.importEnabled, false);
  EXPECT_TRUE(s.ui.busy);
  EXPECT_TRUE(s.ui.closeRefused);  // the reader runs below the window's event handling
  // Nothing tried during the load happened; only the about box may open.
  EXPECT_TRUE(s.ui.FileDialogs().empty());
  EXPECT_TRUE(s.ui.Boxes().empty());
  EXPECT_EQ(s.view.abouts, 1);
  EXPECT_EQ(s.view.recentFiles, Paths{first});
  EXPECT_EQ(s.app.file().path, first);
  EXPECT_TRUE(s.Present(1));

  EXPECT_FALSE(s.app.Busy());
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  EXPECT_EQ(s.view.Enabled(kCmdImport), true);
  EXPECT_EQ(s.view.everEnabled.count(kCmdExportAll), 0u);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
  EXPECT_EQ(s.view.shownView, TabView::kPersonList);
  EXPECT_EQ(s.app.personList().RowCount(), 4);
  EXPECT_EQ(s.ui.StatusText(0), "erste.ged geladen");
}

TEST(LoadFile, AFailedLoadLeavesTheProgramEmpty) {
  for (const bool missing : {true, false}) {
    SCOPED_TRACE(missing ? "missing" : "without persons");
    Shell s;
    const std::string loaded = s.Load();
    s.app.RunCommand(kCmdSelectAll);
    s.ui.ClearBoxes();
    const std::string name = missing ? "fehlt.ged" : "leer.ged";
    const std::string path =
        missing ? s.folder.Path(name) : s.folder.Write(name, Ged("0 HEAD|0 TRLR"));
    s.app.LoadFile(path);
    Paths boxes;
    for (const ScriptedUi::ShownBox& box : s.ui.Boxes()) boxes.push_back(box.text);
    Paths expected;
    if (missing) expected.push_back("Original GED Datei " + path + " nicht gefunden!");
    expected.push_back("\r\nLaden von GED Datei " + name +
                       " nicht möglich.\r\nBitte andere GED Datei importieren");
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(s.app.store().PersonCount(), 0);
    EXPECT_EQ(s.app.state().selectedCount, 0);
    EXPECT_EQ(s.view.DataCommandsEnabled(), false);
    EXPECT_EQ(s.view.Enabled(kCmdImport), true);
    EXPECT_EQ(s.view.shownView, TabView::kNone);
    EXPECT_EQ(s.ui.StatusText(0), "Verwende Menu:  DATEI / Importiere GED");
    EXPECT_EQ(s.view.recentFiles, Paths{loaded});
  }
}

TEST(RecentFileList, KeepsFourDistinctPathsNewestFirst) {
  const struct {
    Paths added, shown;
  } cases[] = {
      // A fifth path drops the oldest.
      {{"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/e.ged"},
       {"/e.ged", "/d.ged", "/c.ged", "/b.ged"}},
      // A listed path moves to the front, from the last slot too; an empty one is no path.
      {{"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/a.ged", ""},
       {"/a.ged", "/d.ged", "/c.ged", "/b.ged"}},
      // In other letter case it is the same path and keeps the spelling it was stored with.
      {{"/Daten/Brandt.ged", "/x.ged", "/DATEN/brandt.GED"}, {"/Daten/Brandt.ged", "/x.ged"}},
  };
  for (const auto& c : cases) {
    RecentFileList list;
    for (const std::string& path : c.added) list.Add(path);
    EXPECT_EQ(list.Paths(), c.shown) << ::testing::PrintToString(c.added);
  }
}

TEST(RecentFileList, LoadsCompactedAndSavesWhatItShows) {
  MemorySettings settings;
  settings.Write("RecentFiles", "File1", "/eins.ged");
  settings.Write("RecentFiles", "File3", "/EINS.ged");  // edited by hand: shown once
  settings.Write("RecentFiles", "File4", "/vier.ged");
  settings.Write("Andere", "File2", "/fremd.ged");
  RecentFileList list;
  list.Load(settings);
  EXPECT_EQ(list.Paths(), (Paths{"/eins.ged", "/vier.ged"}));

  // Saved where it came from, every slot is written: none left over from before.
  list.Add("/neu.ged");
  list.Save(settings);
  EXPECT_EQ(settings.Read("RecentFiles", "File4"), "");
  RecentFileList again;
  again.Load(settings);
  EXPECT_EQ(again.Paths(), (Paths{"/neu.ged", "/eins.ged", "/vier.ged"}));
}

TEST(RecentFiles, StartShowsThemLoadsRenewThemAndShutdownStoresThem) {
  test::TempFolder folder;
  ScriptedUi ui;
  MemorySettings settings;
  RecordingView view;
  edit_test::ScriptedDialogs dialogs;
  settings.Write("RecentFiles", "File2", "/alt/zwei.ged");
  App app(ui, view, settings, dialogs);
  app.Start();
  EXPECT_EQ(view.recentFiles, Paths{"/alt/zwei.ged"});
  const std::string a = folder.Write("a.ged", kFamily), b = folder.Write("b.ged", kFamily);
  app.LoadFile(a);
  app.LoadFile(b);
  EXPECT_EQ(view.recentFiles, (Paths{b, a, "/alt/zwei.ged"}));

  // The command of a slot asks before changes are dropped; an empty slot does nothing.
  app.store().changeCounters.merges = 1;
  ui.QueueAnswer(MessageAnswer::No);
  app.RunCommand(kCmdRecentFile1 + 1);
  EXPECT_EQ(app.file().path, b);
  ui.QueueAnswer(MessageAnswer::Yes);
  app.RunCommand(kCmdRecentFile1 + 1);
  EXPECT_EQ(app.file().path, a);
  app.RunCommand(kCmdRecentFile4);
  EXPECT_EQ(ui.Boxes().size(), 2u);
  EXPECT_EQ(view.recentFiles, (Paths{a, b, "/alt/zwei.ged"}));
  app.LoadFile(folder.Path("fehlt.ged"));  // a failed load is not remembered
  EXPECT_EQ(view.recentFiles, (Paths{a, b, "/alt/zwei.ged"}));

  app.LoadFile(b);
  app.Shutdown();
  EXPECT_EQ(folder.Names(), (Paths{"a.ged", "b.ged"}));  // the program log is gone
  EXPECT_EQ(settings.Read("RecentFiles", "File1"), b);
  EXPECT_EQ(settings.Read("RecentFiles", "File3"), "/alt/zwei.ged");
}

}  // namespace
}  // namespace korvane::shell_test
