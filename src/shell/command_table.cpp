#include "shell/command_table.h"

#include <cctype>

#include "shell/command_handlers.h"

namespace korvane {
namespace {

// What each kind of command may do. Loading, "Neu" and every edit free or change the
// tables the presorting thread reads; reports only read them; help and the Soundex
// dialog touch no data and stay usable while a file is read.
constexpr CommandRules kReplacesData{.changesData = true};
constexpr CommandRules kEditsData{.needsData = true, .changesData = true};
constexpr CommandRules kReadsData{.needsData = true};
constexpr CommandRules kNoData{.whileBusy = true};
constexpr CommandRules kQuits{};
constexpr CommandRules kNever{.never = true};

// Alt+D and Alt+S would take the menus' own keys (&DATEI, &SUCHEN), so the duplicate
// search and the auto-source get none; the menus show key texts only for keys that work.
constexpr Command kCommands[] = {
    {kCmdNew, "&Neu", "Ctrl+N", kReplacesData, NewCommand},
    {kCmdImport, "&Importiere GED", "Ctrl+I", kReplacesData, ImportCommand},
    {kCmdExportAll, "&Exportiere GED", "Ctrl+E", kNever, nullptr},
    {kCmdPartialExport, "&Teil-Export", "Ctrl+T", kEditsData, PartialExportCommand},
    {kCmdTextOutput, "&Ausgabe in Datei", "Ctrl+A", kReadsData, nullptr},
    {kCmdTextInput, "Ein&gabe von Datei", "Ctrl+G", kEditsData, nullptr},
    {kCmdRecentFile1, "", "", kReplacesData, RecentFileCommand},
    {kCmdRecentFile1 + 1, "", "", kReplacesData, RecentFileCommand},
    {kCmdRecentFile1 + 2, "", "", kReplacesData, RecentFileCommand},
    {kCmdRecentFile4, "", "", kReplacesData, RecentFileCommand},
    {kCmdQuit, "&Beenden", "", kQuits, QuitCommand},
    {kCmdEditPerson, "&Person", "", kEditsData, EditCommand},
    {kCmdNewPerson, "&Neue Person", "", kReplacesData, EditCommand},
    {kCmdAddSpouse, "&Ehepartner", "", kEditsData, EditCommand},
    {kCmdAddChild, "&Kind", "", kEditsData, EditCommand},
    {kCmdAddFather, "&Vater", "", kEditsData, EditCommand},
    {kCmdAddMother, "&Mutter", "", kEditsData, EditCommand},
    {kCmdSeparateSpouse, "vom Ehepartner", "", kEditsData, EditCommand},
    {kCmdSeparateParents, "von Eltern", "", kEditsData, EditCommand},
    {kCmdDeletePerson, "&Löschen", "", kEditsData, EditCommand},
    {kCmdSearchReplace, "&Suchen und Ersetzten", "", kEditsData, nullptr},
    {kCmdSearchPersons, "&Personen", "", kEditsData, nullptr},
    {kCmdSearchEvents, "&Ereignisse", "", kEditsData, nullptr},
    {kCmdBirthsByPlace, "&Geburten", "", kReadsData, nullptr},
    {kCmdDeathsByPlace, "&Todesfälle", "", kReadsData, nullptr},
    {kCmdMarriagesByPlace, "&Heiraten", "", kReadsData, nullptr},
    {kCmdCountGivenNames, "&Vornamem", "", kReadsData, nullptr},
    {kCmdCountSurnames, "&Nachnamem", "", kReadsData, nullptr},
    {kCmdCountPlaces, "&Ortsnamem", "", kReadsData, nullptr},
    {kCmdCountEvents, "&Ereignisse", "", kReadsData, nullptr},
    {kCmdCheck, "&Fehlersuche", "Alt+F", kEditsData, nullptr},
    {kCmdDuplicates, "&Duplikate", "", kEditsData, nullptr},
    {kCmdIslands, "&Inseln", "Alt+I", kEditsData, nullptr},
    {kCmdAutoSource, "&Auto-Source", "", kEditsData, nullptr},
    {kCmdSoundex, "Sounde&x", "Alt+X", kNoData, SoundexCommand},
    {kCmdHelp, "&Hilfe (Website)", "", kNoData, HelpCommand},
    {kCmdInfo, "&Info zu Korvane", "", kNoData, InfoCommand},
    {kCmdSelectPerson, "&Person", "", kEditsData, MarkPersonCommand},
    {kCmdSelectAncestors, "&Vorfahren", "", kEditsData, nullptr},
    {kCmdSelectDescendants, "&Nachkommen", "", kEditsData, nullptr},
    {kCmdSelectAll, "&Alle", "", kEditsData, EditCommand},
    {kCmdUnselectPerson, "&Person", "", kEditsData, MarkPersonCommand},
    {kCmdUnselectAncestors, "&Vorfahren", "", kEditsData, nullptr},
    {kCmdUnselectDescendants, "&Nachkommen", "", kEditsData, nullptr},
    {kCmdUnselectAll, "&Alle", "", kEditsData, EditCommand},
    {kCmdMerge, "&Verschmelzen", "", kEditsData, nullptr},
    {kCmdRelationship, "&Verwandtschaft", "", kReadsData, nullptr},
};

MenuEntry Item(int id, std::string_view label = {}) { return {MenuEntry::kCommand, id, label, {}}; }
MenuEntry Separator() { return {MenuEntry::kSeparator, 0, {}, {}}; }
MenuEntry Submenu(std::string_view label, std::vector<MenuEntry> children) {
  return {MenuEntry::kSubmenu, 0, label, std::move(children)};
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

std::string KeyText(const Command& command) {
  if (command.shortcut.empty() || command.handler == nullptr || command.rules.never) return {};
  std::string text(command.shortcut);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

const Command* FindCommand(int id) {
  for (const Command& command : kCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

const std::vector<Menu>& MainMenus() {
  static const std::vector<Menu> menus = {
      {"&DATEI",
       {Item(kCmdNew),
        Item(kCmdImport),
        Item(kCmdExportAll),
        Item(kCmdPartialExport),
        Item(kCmdTextOutput),
        Item(kCmdTextInput),
        Separator(),
        {MenuEntry::kRecentFiles, 0, {}, {}},
        Separator(),
        Item(kCmdQuit)}},
      {"&BEARBEITEN",
       {Item(kCmdEditPerson),
        Submenu("&Hinzufügen", {Item(kCmdNewPerson), Item(kCmdAddSpouse), Item(kCmdAddChild),
                                Item(kCmdAddFather), Item(kCmdAddMother)}),
        Submenu("&Trennen", {Item(kCmdSeparateSpouse), Item(kCmdSeparateParents)}),
        Item(kCmdDeletePerson)}},
      {"&SUCHEN",
       {Item(kCmdSearchReplace), Item(kCmdSearchPersons), Item(kCmdSearchEvents),
        Item(kCmdBirthsByPlace), Item(kCmdDeathsByPlace), Item(kCmdMarriagesByPlace)}},
      {"&ZÄHLEN",
       {Item(kCmdCountGivenNames), Item(kCmdCountSurnames), Item(kCmdCountPlaces),
        Item(kCmdCountEvents)}},
      {"&EXTRAS",
       {Item(kCmdCheck), Item(kCmdDuplicates), Item(kCmdIslands), Item(kCmdAutoSource),
        Item(kCmdSoundex)}},
      {"&HILFE", {Item(kCmdHelp), Item(kCmdInfo)}},
  };
  return menus;
}

const Menu& ListContextMenu() {
  static const Menu menu = {
      "List Context Menu4",
      {Item(kCmdEditPerson, "&Bearbeiten"),
       Submenu("&Auswählen", {Item(kCmdSelectPerson), Item(kCmdSelectAncestors),
                              Item(kCmdSelectDescendants), Item(kCmdSelectAll)}),
       Submenu("&Abwählen", {Item(kCmdUnselectPerson), Item(kCmdUnselectAncestors),
                             Item(kCmdUnselectDescendants), Item(kCmdUnselectAll)}),
       Item(kCmdDeletePerson), Item(kCmdMerge), Item(kCmdRelationship)}};
  return menu;
}

}  // namespace korvane
