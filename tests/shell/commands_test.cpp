#include <gtest/gtest.h>

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

// Every labelled command is in a menu and every menu entry has its row; the data group
// is what greys without data; "Exportiere GED" is never enabled.
TEST(CommandTable, GroupsAndLabelsMatchTheMenus) {
  std::set<int> inMenus, data, never;
  for (const Menu& menu : MainMenus()) CollectIds(menu.entries, inMenus);
  CollectIds(ListContextMenu().entries, inMenus);
  for (const Command& command : Commands()) {
    EXPECT_EQ(FindCommand(command.id), &command) << "id twice: " << command.id;
    if (command.group == CommandGroup::kData) data.insert(command.id);
    if (command.group == CommandGroup::kNever) never.insert(command.id);
    if (command.group == CommandGroup::kRecentFile) continue;
    EXPECT_FALSE(command.label.empty()) << command.id;
    EXPECT_EQ(inMenus.count(command.id), 1u) << command.id << " " << command.label;
  }
  for (const int id : inMenus) EXPECT_NE(FindCommand(id), nullptr) << id;
  EXPECT_EQ(data, kDataCommands);
  EXPECT_EQ(never, std::set<int>{kCmdExportAll});
  EXPECT_EQ(FindCommand(kCmdPartialExport)->label, "&Teil-Export");
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

TEST(ConfirmDiscardChanges, AsksOnlyWhenSomethingWasNotExported) {
  Shell s;
  s.Load();
  EXPECT_TRUE(s.app.ConfirmDiscardChanges());
  EXPECT_TRUE(s.ui.Boxes().empty());
  const struct {
    ChangeCounters counters;
    int added;
    const char* parenthesis;  // counters at 0 are left out
  } cases[] = {
      {{0, 1, 4}, 0, "( 1 Korrekturen 4 Ersetzungen )"},
      {{5, 6, 7}, 1, "( 5 Verschmelzungen 6 Korrekturen 7 Ersetzungen 1 Neu )"},
  };
  // This test changes the tables itself, not through a command: it waits for the list's
  // sort worker, which reads them, as a command does.
  s.app.WaitUntilSortReady();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.parenthesis);
    Store& store = s.app.store();
    store.changeCounters = c.counters;
    for (int i = 0; i < c.added; ++i) store.AddPerson();
    const Rin persons = store.PersonCount();
    s.ui.ClearBoxes();
    s.ui.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(s.app.ConfirmDiscardChanges());
    ASSERT_EQ(s.ui.Boxes().size(), 1u);
    const ScriptedUi::ShownBox& box = s.ui.Boxes()[0];
    EXPECT_EQ(box.title, "ÄNDERUNGEN VERWERFEN");
    EXPECT_EQ(box.text, std::string("Änderungen wurden noch nicht exportiert!\r\n") +
                            c.parenthesis + "\r\n\r\nAlle Änderungen verwerfen?");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);

    // Yes gives up the changes but keeps the data: the file dialog that usually follows
    // may still be cancelled. No kept them; now there is nothing left to ask about.
    s.ui.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(s.app.ConfirmDiscardChanges());
    EXPECT_EQ(store.PersonCount(), persons);
    EXPECT_TRUE(s.app.ConfirmDiscardChanges());
    EXPECT_EQ(s.ui.Boxes().size(), 2u);
  }
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
