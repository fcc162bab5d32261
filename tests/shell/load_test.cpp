#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

TEST(StartUp, ShowsTheEmptyProgramWithTheStoredRecentFiles) {
  ScriptedUi ui;
  MemorySettings settings;
  RecordingView view;
  settings.Write("RecentFiles", "File1", "C:\\Daten\\Brandt.ged");
  settings.Write("RecentFiles", "File3", "/home/anna/köhler.ged");
  App app(ui, view, settings);
  app.Start();
  EXPECT_EQ(ui.StatusText(0), "Verwende Menu:  DATEI / Importiere GED");
  EXPECT_EQ(view.DataCommandsEnabled(), false);
  EXPECT_EQ(view.Enabled(kCmdExportAll), false);
  EXPECT_EQ(view.recentFiles, (Paths{"C:\\Daten\\Brandt.ged", "/home/anna/köhler.ged"}));
  EXPECT_EQ(app.recentFiles().At(1), "/home/anna/köhler.ged");
  EXPECT_TRUE(view.views.empty());
  EXPECT_TRUE(ui.Boxes().empty());
  EXPECT_EQ(app.state().currentRin, 1);
  EXPECT_EQ(app.state().activeTab, 0);
}

TEST(LoadFile, ShowsTheListAndEnablesTheDataCommands) {
  Shell s;
  const std::string path = s.Load();
  EXPECT_EQ(s.app.store().PersonCount(), 6);
  EXPECT_EQ(s.app.store().baselinePersonCount, 6);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
  EXPECT_EQ(s.view.selectedTabs.back(), kTabList);
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
  EXPECT_EQ(s.app.personList().RowCount(), 4);
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  EXPECT_EQ(s.view.Enabled(kCmdExportAll), false);
  EXPECT_EQ(s.view.recentFiles, Paths{path});
  EXPECT_EQ(s.ui.StatusText(0), "familie.ged geladen");
  EXPECT_EQ(s.ui.StatusText(1), "4 Personen\t");
  EXPECT_EQ(s.ui.StatusText(2), "RIN: 1");
  EXPECT_TRUE(s.ui.Boxes().empty());
  EXPECT_FALSE(s.app.Busy());

  // A load from another tab comes back on the list.
  s.app.RequestTab(kTabFamily);
  s.app.LoadFile(path);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
}

// Watches the window each time the reader lets it handle its events, and tries what a
// user could do then.
class PumpingUi : public ScriptedUi {
 public:
  void PumpPendingMessages() override {
    ScriptedUi::PumpPendingMessages();
    if (app == nullptr) return;
    ++tries;
    dataCommands = view->DataCommandsEnabled();
    importEnabled = view->Enabled(kCmdImport);
    busy = app->Busy();
    App* const running = app;
    app = nullptr;  // one try per load is enough
    running->RunCommand(kCmdNew);
    running->RunCommand(kCmdImport);
    running->RunCommand(kCmdRecentFile1);
    running->LoadFile(otherFile);
    running->ListDeleteKey();
    running->RunCommand(kCmdInfo);
  }

  App* app = nullptr;
  const RecordingView* view = nullptr;
  std::string otherFile;
  int tries = 0;
  std::optional<bool> dataCommands;
  std::optional<bool> importEnabled;
  bool busy = false;
};

TEST(LoadFile, GreysTheCommandsThatChangeDataWhileTheFileIsRead) {
  BasicShell<PumpingUi> s;
  const std::string first = s.Load("erste.ged");
  s.ui.view = &s.view;
  s.ui.app = &s.app;
  s.ui.otherFile = s.folder.Write("andere.ged", kFamily);
  s.ui.QueueFile(s.ui.otherFile);
  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.LoadFile(first);

  ASSERT_EQ(s.ui.tries, 1);
  EXPECT_EQ(s.ui.dataCommands, false);
  EXPECT_EQ(s.ui.importEnabled, false);
  EXPECT_TRUE(s.ui.busy);
  // Nothing tried during the load happened; only the about box may open.
  EXPECT_TRUE(s.ui.FileDialogs().empty());
  EXPECT_TRUE(s.ui.Boxes().empty());
  EXPECT_EQ(s.view.abouts, 1);
  EXPECT_EQ(s.view.recentFiles, Paths{first});
  EXPECT_EQ(s.app.file().path, first);
  EXPECT_EQ(s.app.store().PersonCount(), 6);
  EXPECT_TRUE(s.Present(1));

  EXPECT_FALSE(s.app.Busy());
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  EXPECT_EQ(s.view.Enabled(kCmdImport), true);
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
  for (const auto& [id, enabled] : s.view.enableCalls) {
    EXPECT_FALSE(id == kCmdExportAll && enabled);
  }
}

TEST(LoadFile, AFailedLoadLeavesTheProgramEmpty) {
  const auto notLoaded = [](const std::string& name) {
    return "\r\nLaden von GED Datei " + name +
           " nicht möglich.\r\nBitte andere GED Datei importieren";
  };
  for (const bool missing : {true, false}) {
    SCOPED_TRACE(missing);
    Shell s;
    const std::string loaded = s.Load();
    s.app.RunCommand(kCmdSelectAll);
    s.ui.ClearBoxes();
    const std::string path =
        missing ? s.folder.Path("fehlt.ged") : s.folder.Write("leer.ged", Ged("0 HEAD|0 TRLR"));
    s.app.LoadFile(path);
    std::vector<std::string> boxes;
    for (const ScriptedUi::ShownBox& box : s.ui.Boxes()) boxes.push_back(box.text);
    const Paths expected =
        missing ? Paths{"Original GED Datei " + path + " nicht gefunden!", notLoaded("fehlt.ged")}
                : Paths{notLoaded("leer.ged")};
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(s.app.store().PersonCount(), 0);
    EXPECT_EQ(s.app.state().selectedCount, 0);
    EXPECT_EQ(s.view.DataCommandsEnabled(), false);
    EXPECT_EQ(s.view.Enabled(kCmdImport), true);
    EXPECT_EQ(s.view.LastView(), TabView::kNone);
    EXPECT_EQ(s.ui.StatusText(0), "Verwende Menu:  DATEI / Importiere GED");
    EXPECT_EQ(s.view.recentFiles, Paths{loaded});
    EXPECT_FALSE(s.app.RequestTab(kTabList));
  }
}

}  // namespace
}  // namespace korvane::shell_test
