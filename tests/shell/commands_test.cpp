#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "shell/command_table.h"
#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

void CollectIds(const std::vector<MenuEntry>& entries, std::set<int>& ids) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntry::kCommand) ids.insert(entry.id);
    CollectIds(entry.children, ids);
  }
}

// Every labelled command is in a menu and every menu entry has its row; the menu commands
// that need data do; "Exportiere GED" is never enabled; a key text stands only where the
// key works.
TEST(CommandTable, RowsMatchTheMenusAndTheirRules) {
  std::set<int> inMenus, needData, never;
  for (const Menu& menu : MainMenus()) CollectIds(menu.entries, inMenus);
  CollectIds(ListContextMenu().entries, inMenus);
  for (const Command& command : Commands()) {
    EXPECT_EQ(FindCommand(command.id), &command) << "id twice: " << command.id;
    if (command.rules.needsData) needData.insert(command.id);
    if (command.rules.never) never.insert(command.id);
    // What runs while a file is read must not touch the tables the reader fills.
    EXPECT_FALSE(command.rules.whileBusy && (command.rules.changesData || command.rules.needsData))
        << command.id;
    if (command.id >= kCmdRecentFile1 && command.id <= kCmdRecentFile4) continue;
    EXPECT_FALSE(command.label.empty()) << command.id;
    EXPECT_EQ(inMenus.count(command.id), 1u) << command.id << " " << command.label;
  }
  for (const int id : inMenus) EXPECT_NE(FindCommand(id), nullptr) << id;
  for (const int id : kDataCommands) EXPECT_EQ(needData.count(id), 1u) << id;
  EXPECT_EQ(never, std::set<int>{kCmdExportAll});
  EXPECT_EQ(FindCommand(kCmdPartialExport)->label, "&Teil-Export");
  EXPECT_EQ(KeyText(*FindCommand(kCmdImport)), "CTRL+I");
  EXPECT_EQ(KeyText(*FindCommand(kCmdNew)), "CTRL+N");
  EXPECT_EQ(KeyText(*FindCommand(kCmdExportAll)), "");  // greyed for good
  for (const Command& command : Commands()) {
    if (command.handler == nullptr) {
      EXPECT_EQ(KeyText(command), "") << command.id;
    }
  }
}

// The menus grey exactly what the dispatch refuses: commands still to come, data commands
// without data, and everything but help and info while a file is read.
TEST(CommandTable, WhatIsGreyedDoesNotRun) {
  Shell s;
  for (const Command& command : Commands()) {
    EXPECT_EQ(s.view.Enabled(command.id).value_or(true), s.app.CommandEnabled(command.id))
        << command.id;
    EXPECT_EQ(s.app.CommandEnabled(command.id),
              command.handler != nullptr && !command.rules.needsData && !command.rules.never)
        << command.id;
  }
  s.Load();
  for (const Command& command : Commands()) {
    EXPECT_EQ(s.view.Enabled(command.id), s.app.CommandEnabled(command.id)) << command.id;
    EXPECT_EQ(s.app.CommandEnabled(command.id), command.handler != nullptr && !command.rules.never)
        << command.id;
  }
  s.app.RunCommand(kCmdCheck);  // not built yet: nothing happens, nothing is shown
  EXPECT_TRUE(s.ui.Boxes().empty());
}

TEST(TabRules, RefusesEveryTabWithoutDataAndTheSelectionTabWithoutASelection) {
  Shell s;
  for (int tab = 0; tab < kTabCount; ++tab) EXPECT_FALSE(s.app.RequestTab(tab)) << tab;
  ASSERT_EQ(s.ui.Boxes().size(), static_cast<std::size_t>(kTabCount));
  const ScriptedUi::ShownBox& box = s.ui.Boxes().back();
  EXPECT_EQ(box.title, "KEINE DATEN");
  EXPECT_EQ(box.text, "Bitte erst DATEI / Importieren\noder\nBEARBEITEN / Hinzufügen/ Neue Person");
  EXPECT_EQ(s.view.shownTab, -1);

  s.Load();
  s.ui.ClearBoxes();
  EXPECT_FALSE(s.app.RequestTab(kTabSelection));
  ASSERT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_EQ(s.ui.Boxes()[0].title, "KEINE DATEN FÜR AUSWAHL");
  EXPECT_EQ(s.ui.Boxes()[0].text, "Bitte erst SUCHEN / Personen oder Ereignisse");
  EXPECT_EQ(s.app.state().activeTab, kTabList);

  s.app.store().personTable[6].flags |= SelectedFlag;  // the last person counts too
  EXPECT_TRUE(s.app.RequestTab(kTabSelection));
  EXPECT_EQ(s.app.state().activeTab, kTabSelection);
  EXPECT_EQ(s.app.personList().RowCount(), 1);
}

TEST(ConfirmDiscardChanges, AsksWhileAnythingIsNotExported) {
  const struct {
    const char* name;
    void (*change)(Store&);
    const char* parenthesis;  // kinds at 0 are left out
  } cases[] = {
      {"counters",
       [](Store& s) {
         s.changeCounters = {0, 1, 4};
       },
       "( 1 Korrekturen 4 Ersetzungen )"},
      {"all counters and a person",
       [](Store& s) {
         s.changeCounters = {5, 6, 7};
         s.AddPerson();
       },
       "( 5 Verschmelzungen 6 Korrekturen 7 Ersetzungen 1 Neu )"},
      {"an edited name", [](Store& s) { s.personTable[2].flags |= ChangedFlag; }, "( 1 Geändert )"},
      {"an edited marriage", [](Store& s) { s.familyTable[1].flags |= ChangedFlag; },
       "( 1 Geändert )"},
      {"a new family", [](Store& s) { s.AddFamily(); }, "( 1 Neu )"},
      {"a deleted person", [](Store& s) { s.personTable[4].flags = 0; }, "( 1 Gelöscht )"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Shell s;
    s.Load();
    EXPECT_TRUE(s.app.ConfirmDiscardChanges());  // a load alone leaves nothing to ask about
    EXPECT_TRUE(s.ui.Boxes().empty());
    c.change(s.app.store());
    s.ui.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(s.app.ConfirmDiscardChanges());
    ASSERT_EQ(s.ui.Boxes().size(), 1u);
    const ScriptedUi::ShownBox& box = s.ui.Boxes()[0];
    EXPECT_EQ(box.title, "ÄNDERUNGEN VERWERFEN");
    EXPECT_EQ(box.text, std::string("Änderungen wurden noch nicht exportiert!\r\n") +
                            c.parenthesis + "\r\n\r\nAlle Änderungen verwerfen?");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);

    // Yes lets the caller go on, but the changes are still there until a load or "Neu"
    // replaces them: the file dialog that usually follows may be cancelled.
    const Rin persons = s.app.store().PersonCount();
    s.ui.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(s.app.ConfirmDiscardChanges());
    EXPECT_EQ(s.app.store().PersonCount(), persons);
    s.ui.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(s.app.ConfirmDiscardChanges());
    EXPECT_EQ(s.ui.Boxes().size(), 3u);
  }
}

// "Beenden" and the frame's close button ask the same question; a file being read keeps
// the window open without asking.
TEST(Closing, AsksAboutUnexportedChangesAndNeverWhileAFileIsRead) {
  Shell s;
  EXPECT_TRUE(s.app.CloseRequested());
  s.app.RunCommand(kCmdQuit);
  EXPECT_EQ(s.view.closes, 1);  // the window's close runs CloseRequested
  s.Load();
  s.app.store().personTable[1].flags |= ChangedFlag;
  s.ui.QueueAnswer(MessageAnswer::No);
  EXPECT_FALSE(s.app.CloseRequested());
  s.ui.QueueAnswer(MessageAnswer::Yes);
  EXPECT_TRUE(s.app.CloseRequested());
  EXPECT_EQ(s.ui.Boxes().size(), 2u);
}

// A file dropped on the window replaces the data as "Importiere GED" would.
TEST(DroppedFile, AsksBeforeUnexportedChangesAreReplaced) {
  Shell s;
  s.Load();
  const std::string other = s.folder.Write("andere.ged", kFamily);
  s.app.store().personTable[1].flags |= ChangedFlag;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.LoadDroppedFile(other);
  EXPECT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_NE(s.app.store().personTable[1].flags & ChangedFlag, 0u);  // still the old data
  EXPECT_EQ(s.app.file().displayName, "familie.ged");
  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.LoadDroppedFile(other);
  EXPECT_EQ(s.app.file().displayName, "andere.ged");
}

// "Neu" forgets the file with the tables: nothing later reads or names the old file.
TEST(NewCommand, ForgetsTheLoadedFile) {
  Shell s;
  const std::string path = s.Load();
  EXPECT_EQ(s.view.title, "familie.ged – Korvane");
  const std::string log = s.app.diagnostics().LogPath();
  ASSERT_FALSE(log.empty());
  s.app.RunCommand(kCmdNew);
  EXPECT_EQ(s.app.store().PersonCount(), 0);
  EXPECT_EQ(s.app.file().path, "");
  EXPECT_EQ(s.app.file().recordsPath, "");
  EXPECT_EQ(s.app.diagnostics().LogPath(), "");
  EXPECT_FALSE(std::filesystem::exists(log));
  EXPECT_EQ(s.view.title, "Korvane");
  EXPECT_EQ(s.ui.StatusText(0), "Verwende Menu:  BEARBEITEN / Hinzufügen");
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  // The file dialog still opens where the user last worked.
  s.app.RunCommand(kCmdImport);
  ASSERT_EQ(s.ui.FileDialogs().size(), 1u);
  EXPECT_EQ(s.ui.FileDialogs()[0].folder, FolderOf(path));
}

// A command that changes data never runs while the list's presorting reads the tables:
// the question of the deletion comes only once the sorting is over.
TEST(CommandDispatch, ChangesDataOnlyOnceThePresortingIsOver) {
  Shell s;
  std::string ged = "0 HEAD|1 CHAR UTF-8";
  for (int rin = 1; rin <= 40000; ++rin) {
    ged += "|0 @I" + std::to_string(rin) + "@ INDI|1 NAME Vorname" +
           std::to_string(rin * 7919 % 40000) + " /Name" + std::to_string(rin % 997) + "/";
  }
  s.app.LoadFile(s.folder.Write("gross.ged", Ged(ged + "|0 TRLR")));
  ASSERT_EQ(s.app.personList().RowCount(), 40000);
  bool sortedWhenAsked = false;
  s.ui.SetObserver(
      [&](const ScriptedUi::ShownBox&) { sortedWhenAsked = s.app.personList().SortReady(); });
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.personList().Invalidate();
  s.app.ShowTab(kTabList);  // builds the list anew and starts the presorting
  s.app.RunCommand(kCmdDeletePerson);
  ASSERT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_TRUE(sortedWhenAsked);
}

TEST(SelectionCommands, KeepTheCountInStepAndShowTheirTab) {
  Shell s;
  s.Load();
  s.app.state().currentRin = 2;
  const struct {
    int id, selected, tab;
  } steps[] = {
      {kCmdSelectPerson, 1, kTabSelection},   {kCmdSelectPerson, 1, kTabSelection},
      {kCmdUnselectPerson, 0, kTabSelection}, {kCmdUnselectPerson, 0, kTabSelection},
      {kCmdSelectAll, 4, kTabSelection},      {kCmdUnselectPerson, 3, kTabSelection},
      {kCmdUnselectAll, 0, kTabList},
  };
  for (const auto& step : steps) {
    s.app.RunCommand(step.id);
    EXPECT_EQ(s.app.state().selectedCount, step.selected) << step.id;
    EXPECT_EQ(s.SelectedFlags(), step.selected) << step.id;
    EXPECT_EQ(s.app.state().activeTab, step.tab) << step.id;
    EXPECT_EQ(s.view.shownTab, step.tab) << step.id;
  }
}

TEST(DeleteCommand, AsksDeletesAndMovesToTheNextPresentPerson) {
  Shell s;
  s.Load();
  s.app.RunCommand(kCmdSelectAll);
  s.app.state().currentRin = 2;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.RunCommand(kCmdDeletePerson);
  EXPECT_EQ(s.ui.Boxes().at(0).title, "PERSON LÖSCHEN");
  EXPECT_TRUE(s.Present(2));

  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.RunCommand(kCmdDeletePerson);
  EXPECT_FALSE(s.Present(2));
  EXPECT_EQ(s.app.state().currentRin, 4);  // RIN 3 was never there
  EXPECT_EQ(s.app.state().selectedCount, 3);
  EXPECT_EQ(s.app.state().activeTab, kTabSelection);

  // The list's own Delete key goes back to "Liste".
  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.ListDeleteKey();
  EXPECT_FALSE(s.Present(4));
  EXPECT_EQ(s.app.state().currentRin, 6);
  EXPECT_EQ(s.app.state().selectedCount, 2);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
}

TEST(FileCommands, PartialExportNeedsASelectionAndAfterwardsTheViewsStartOver) {
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

  s.app.state().currentRin = 4;
  s.app.RunCommand(kCmdSelectAll);
  s.app.store().changeCounters.merges = 1;
  s.app.RunCommand(kCmdPartialExport);
  EXPECT_EQ(s.folder.Names(), (Paths{"familie.ged", "teil.ged", "teil.log"}));
  EXPECT_EQ(s.app.state().selectedCount, 0);
  EXPECT_EQ(s.app.state().currentRin, 1);
  EXPECT_EQ(s.app.state().activeTab, kTabList);
  EXPECT_EQ(s.ui.StatusText(0), "teil.ged exportiert");
  EXPECT_TRUE(s.app.ConfirmDiscardChanges());  // the counters went with the export
}

}  // namespace
}  // namespace korvane::shell_test
