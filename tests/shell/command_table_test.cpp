#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

void CollectIds(const std::vector<MenuEntry>& entries, std::set<int>& ids, int& recentFileLists) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntry::kCommand) ids.insert(entry.id);
    if (entry.kind == MenuEntry::kRecentFiles) ++recentFileLists;
    CollectIds(entry.children, ids, recentFileLists);
  }
}

TEST(CommandTable, EveryCommandWithALabelIsReachableFromAMenu) {
  std::set<int> ids;
  int recentFileLists = 0;
  for (const Menu& menu : MainMenus()) CollectIds(menu.entries, ids, recentFileLists);
  CollectIds(ListContextMenu().entries, ids, recentFileLists);

  EXPECT_EQ(recentFileLists, 1);
  for (int id = 32771; id <= 32825; ++id) {
    const Command* command = FindCommand(id);
    if (command == nullptr || command->group == CommandGroup::kRecentFile) continue;
    EXPECT_FALSE(command->label.empty()) << id;
    EXPECT_EQ(ids.count(id), 1u) << id << " " << command->label;
  }
  // Nothing in a menu is without its row, and no row lies outside the command range.
  for (const int id : ids) EXPECT_NE(FindCommand(id), nullptr) << id;
  for (const Command& command : Commands()) {
    EXPECT_GE(command.id, 32771);
    EXPECT_LE(command.id, 32825);
    EXPECT_EQ(FindCommand(command.id), &command) << "id twice: " << command.id;
  }
  for (const int id : {0, 32770, 32791, 32803, 32826}) EXPECT_EQ(FindCommand(id), nullptr) << id;
}

TEST(CommandTable, LabelsAndKeyTextsAreTheMenuTexts) {
  const struct {
    int id;
    const char* label;
    const char* keyText;
  } rows[] = {
      {32772, "&Neu", "CTRL+N"},
      {32773, "&Importiere GED", "CTRL+I"},
      {32774, "&Exportiere GED", "CTRL+E"},
      {32775, "&Teil-Export", "CTRL+T"},
      {32777, "&Ausgabe in Datei", "CTRL+A"},
      {32776, "Ein&gabe von Datei", "CTRL+G"},
      {32778, "&Beenden", ""},
      {32779, "&Person", ""},
      {32783, "&Neue Person", ""},
      {32784, "&Ehepartner", ""},
      {32787, "&Mutter", ""},
      {32781, "vom Ehepartner", ""},
      {32782, "von Eltern", ""},
      {32788, "&Löschen", ""},
      {32789, "&Suchen und Ersetzten", ""},
      {32805, "&Personen", ""},
      {32808, "&Todesfälle", ""},
      {32810, "&Vornamem", ""},
      {32811, "&Nachnamem", ""},
      {32812, "&Ortsnamem", ""},
      {32813, "&Ereignisse", ""},
      {32804, "&Fehlersuche", "ALT+F"},
      {32800, "&Duplikate", "ALT+D"},
      {32801, "&Inseln", "ALT+I"},
      {32802, "&Auto-Source", "ALT+S"},
      {32790, "Sounde&x", "ALT+X"},
      {32792, "&Hilfe (Website)", ""},
      {32771, "&Info zu Korvane", ""},
      {32814, "&Person", ""},
      {32817, "&Alle", ""},
      {32820, "&Nachkommen", ""},
      {32824, "&Verschmelzen", ""},
      {32799, "&Verwandtschaft", ""},
  };
  for (const auto& row : rows) {
    const Command* command = FindCommand(row.id);
    ASSERT_NE(command, nullptr) << row.id;
    EXPECT_EQ(command->label, row.label) << row.id;
    EXPECT_EQ(command->keyText, row.keyText) << row.id;
  }
  EXPECT_EQ(FindCommand(32773)->shortcut, "Ctrl+I");
  EXPECT_EQ(kNoRecentFilesLabel, "(zuletzt verwendet)");

  std::vector<std::string> titles;
  for (const Menu& menu : MainMenus()) titles.emplace_back(menu.title);
  EXPECT_EQ(titles, (Paths{"&DATEI", "&BEARBEITEN", "&SUCHEN", "&ZÄHLEN", "&EXTRAS", "&HILFE"}));
  std::vector<std::string> submenus;
  for (const MenuEntry& entry : MainMenus()[1].entries) {
    if (entry.kind == MenuEntry::kSubmenu) submenus.emplace_back(entry.label);
  }
  for (const MenuEntry& entry : ListContextMenu().entries) {
    if (entry.kind == MenuEntry::kSubmenu) submenus.emplace_back(entry.label);
  }
  EXPECT_EQ(submenus, (Paths{"&Hinzufügen", "&Trennen", "&Auswählen", "&Abwählen"}));
  EXPECT_EQ(ListContextMenu().title, "List Context Menu4");
}

TEST(CommandTable, TheDataGroupIsExactlyTheCommandsThatNeedData) {
  std::set<int> data;
  std::set<int> never;
  for (const Command& command : Commands()) {
    if (command.group == CommandGroup::kData) data.insert(command.id);
    if (command.group == CommandGroup::kNever) never.insert(command.id);
  }
  EXPECT_EQ(data, std::set<int>(kDataCommands.begin(), kDataCommands.end()));
  EXPECT_EQ(never, std::set<int>{32774});
  for (const int id : {32772, 32773, 32778, 32783, 32790, 32792, 32771}) {
    EXPECT_EQ(FindCommand(id)->group, CommandGroup::kAlways) << id;
  }
}

}  // namespace
}  // namespace korvane::shell_test
