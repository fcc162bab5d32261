#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

TEST(SelectionCommands, KeepTheCountInStepAndShowTheirTab) {
  Shell s;
  s.Load();
  s.app.state().currentRin = 2;
  const struct {
    int id;
    int selected;
    int tab;
  } steps[] = {
      {kCmdSelectPerson, 1, kTabSelection},   {kCmdSelectPerson, 1, kTabSelection},
      {kCmdUnselectPerson, 0, kTabSelection}, {kCmdUnselectPerson, 0, kTabSelection},
      {kCmdSelectPerson, 1, kTabSelection},   {kCmdSelectAll, 4, kTabSelection},
      {kCmdSelectAll, 4, kTabSelection},      {kCmdUnselectPerson, 3, kTabSelection},
      {kCmdUnselectAll, 0, kTabList},         {kCmdUnselectAll, 0, kTabList},
  };
  for (const auto& step : steps) {
    s.app.RunCommand(step.id);
    EXPECT_EQ(s.app.state().selectedCount, step.selected) << step.id;
    EXPECT_EQ(s.SelectedFlags(), step.selected) << step.id;
    EXPECT_EQ(s.app.state().activeTab, step.tab) << step.id;
    EXPECT_EQ(s.view.selectedTabs.back(), step.tab) << step.id;
  }
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
}

TEST(DeleteCommand, AsksDeletesAndMovesToTheNextPresentPerson) {
  Shell s;
  s.Load();
  s.app.RunCommand(kCmdSelectAll);
  s.app.state().currentRin = 2;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.RunCommand(kCmdDeletePerson);
  ASSERT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_EQ(s.ui.Boxes()[0].title, "PERSON LÖSCHEN");
  EXPECT_TRUE(s.Present(2));
  EXPECT_EQ(s.app.state().currentRin, 2);
  EXPECT_EQ(s.app.state().selectedCount, 4);

  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.RunCommand(kCmdDeletePerson);
  EXPECT_FALSE(s.Present(2));
  EXPECT_EQ(s.app.state().currentRin, 4);  // RIN 3 was never there
  EXPECT_EQ(s.app.state().selectedCount, 3);
  EXPECT_EQ(s.app.state().activeTab, kTabSelection);
  EXPECT_EQ(s.app.personList().RowCount(), 3);

  // The list's own Delete key goes back to "Liste".
  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.ListDeleteKey();
  EXPECT_FALSE(s.Present(4));
  EXPECT_EQ(s.app.state().currentRin, 6);
  EXPECT_EQ(s.app.state().selectedCount, 2);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
  EXPECT_EQ(s.ui.StatusText(1), "2 Personen\t");
  EXPECT_EQ(s.ui.StatusText(2), "RIN: 6");
}

TEST(NewCommand, EmptiesTheDataAndLetsTheUserAddPersons) {
  Shell s;
  s.Load();
  s.app.store().changeCounters.corrections = 1;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.RunCommand(kCmdNew);
  EXPECT_EQ(s.app.store().PersonCount(), 6);
  EXPECT_EQ(s.app.store().changeCounters.corrections, 1);

  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.RunCommand(kCmdSelectAll);
  s.app.RunCommand(kCmdNew);
  EXPECT_EQ(s.app.store().PersonCount(), 0);
  EXPECT_EQ(s.app.store().FamilyCount(), 0);
  EXPECT_EQ(s.app.state().selectedCount, 0);
  EXPECT_EQ(s.view.LastView(), TabView::kNone);
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  EXPECT_EQ(s.view.Enabled(kCmdExportAll), false);
  EXPECT_EQ(s.ui.StatusText(0), "Verwende Menu:  BEARBEITEN / Hinzufügen");
  EXPECT_EQ(s.ui.StatusText(1), "");
  EXPECT_EQ(s.ui.StatusText(2), "");
  EXPECT_EQ(s.ui.Boxes().size(), 2u);
}

TEST(FileCommands, ImportAsksForAGedFileAndLoadsIt) {
  Shell s;
  const std::string path = s.folder.Write("import.ged", kFamily);
  s.app.RunCommand(kCmdImport);  // cancelled
  EXPECT_EQ(s.app.store().PersonCount(), 0);
  s.ui.QueueFile(path);
  s.app.RunCommand(kCmdImport);
  ASSERT_EQ(s.ui.FileDialogs().size(), 2u);
  const FileDialogRequest& request = s.ui.FileDialogs()[1];
  EXPECT_EQ(request.filterName, "GED Dateien (*.ged)");
  EXPECT_EQ(request.pattern, "*.ged");
  EXPECT_EQ(request.defaultExtension, ".ged");
  EXPECT_TRUE(request.mustExist);
  EXPECT_EQ(s.app.file().path, path);
  EXPECT_EQ(s.app.store().PersonCount(), 6);

  // Said No to dropping the changes: no dialog.
  s.app.store().changeCounters.merges = 2;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.RunCommand(kCmdImport);
  EXPECT_EQ(s.ui.FileDialogs().size(), 2u);
}

TEST(FileCommands, PartialExportNeedsASelection) {
  Shell s;
  s.app.RunCommand(kCmdPartialExport);  // greyed without data: not even the box
  EXPECT_TRUE(s.ui.Boxes().empty());
  s.Load();
  s.ui.QueueFile(s.folder.Path("teil.ged"));
  s.app.RunCommand(kCmdPartialExport);
  ASSERT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_EQ(s.ui.Boxes()[0].title, "FEHLER");
  EXPECT_EQ(s.ui.Boxes()[0].text, "Keine Personen wurden ausgewählt");
  EXPECT_TRUE(s.ui.FileDialogs().empty());
  EXPECT_EQ(s.folder.Names(), (Paths{"familie.ged", "korvane.log"}));
}

TEST(FileCommands, AfterAnExportTheViewsStartOver) {
  Shell s;
  s.Load();
  s.app.state().currentRin = 4;
  s.app.RunCommand(kCmdSelectPerson);
  s.app.RunCommand(kCmdSelectAll);
  s.app.store().changeCounters.merges = 1;
  s.app.state().reportMode = kCmdCountPlaces;
  s.ui.QueueFile(s.folder.Path("teil.ged"));
  s.app.RunCommand(kCmdPartialExport);

  EXPECT_EQ(s.folder.Names(), (Paths{"familie.ged", "teil.ged", "teil.log"}));
  EXPECT_EQ(s.app.state().selectedCount, 0);
  EXPECT_EQ(s.SelectedFlags(), 0);
  EXPECT_EQ(s.app.state().reportMode, 0);
  EXPECT_EQ(s.app.state().currentRin, 1);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
  EXPECT_EQ(s.view.selectedTabs.back(), kTabList);
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  EXPECT_EQ(s.ui.StatusText(0), "teil.ged exportiert");
  EXPECT_EQ(s.ui.StatusText(1), "4 Personen\t");
  EXPECT_EQ(s.ui.StatusText(2), "RIN: 1");
  EXPECT_TRUE(s.app.ConfirmDiscardChanges());
  EXPECT_TRUE(s.ui.Boxes().empty());
}

TEST(WindowCommands, QuitAsksHelpAndInfoGoToTheWindow) {
  Shell s;
  s.app.RunCommand(kCmdHelp);
  s.app.RunCommand(kCmdInfo);
  s.app.RunCommand(kCmdInfo);
  EXPECT_EQ(s.view.helps, 1);
  EXPECT_EQ(s.view.abouts, 2);

  s.Load();
  s.app.store().changeCounters.replacements = 1;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.RunCommand(kCmdQuit);
  EXPECT_EQ(s.view.closes, 0);
  EXPECT_EQ(s.ui.Boxes().back().title, "ÄNDERUNGEN VERWERFEN");
  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.RunCommand(kCmdQuit);
  EXPECT_EQ(s.view.closes, 1);
  s.app.RunCommand(kCmdQuit);  // nothing left to lose: no question
  EXPECT_EQ(s.view.closes, 2);
  EXPECT_EQ(s.ui.Boxes().size(), 2u);

  for (const int id : {0, 32770, 32791, 32797, 32803, 32826}) s.app.RunCommand(id);
  EXPECT_EQ(s.ui.Boxes().size(), 2u);
  EXPECT_EQ(s.view.closes, 2);
}

}  // namespace
}  // namespace korvane::shell_test
