#include "shell/command_table.h"

namespace korvane {
namespace {

using G = CommandGroup;

// The key texts are label text; only the keys of the accelerator table run commands
// (Ctrl+I, Ctrl+E). Its Alt keys belong to commands still to come, and would take the
// menus' own Alt keys (&DATEI, &SUCHEN) until then.
constexpr Command kCommands[] = {
    {kCmdNew, "&Neu", "CTRL+N", "", G::kAlways},
    {kCmdImport, "&Importiere GED", "CTRL+I", "Ctrl+I", G::kAlways},
    {kCmdExportAll, "&Exportiere GED", "CTRL+E", "Ctrl+E", G::kNever},
    {kCmdPartialExport, "&Teil-Export", "CTRL+T", "", G::kData},
    {kCmdTextOutput, "&Ausgabe in Datei", "CTRL+A", "", G::kData},
    {kCmdTextInput, "Ein&gabe von Datei", "CTRL+G", "", G::kData},
    {kCmdRecentFile1, "", "", "", G::kRecentFile},
    {kCmdRecentFile1 + 1, "", "", "", G::kRecentFile},
    {kCmdRecentFile1 + 2, "", "", "", G::kRecentFile},
    {kCmdRecentFile4, "", "", "", G::kRecentFile},
    {kCmdQuit, "&Beenden", "", "", G::kAlways},
    {kCmdEditPerson, "&Person", "", "", G::kData},
    {kCmdNewPerson, "&Neue Person", "", "", G::kAlways},
    {kCmdAddSpouse, "&Ehepartner", "", "", G::kData},
    {kCmdAddChild, "&Kind", "", "", G::kData},
    {kCmdAddFather, "&Vater", "", "", G::kData},
    {kCmdAddMother, "&Mutter", "", "", G::kData},
    {kCmdSeparateSpouse, "vom Ehepartner", "", "", G::kData},
    {kCmdSeparateParents, "von Eltern", "", "", G::kData},
    {kCmdDeletePerson, "&Löschen", "", "", G::kData},
    {kCmdSearchReplace, "&Suchen und Ersetzten", "", "", G::kData},
    {kCmdSearchPersons, "&Personen", "", "", G::kData},
    {kCmdSearchEvents, "&Ereignisse", "", "", G::kData},
    {kCmdBirthsByPlace, "&Geburten", "", "", G::kData},
    {kCmdDeathsByPlace, "&Todesfälle", "", "", G::kData},
    {kCmdMarriagesByPlace, "&Heiraten", "", "", G::kData},
    {kCmdCountGivenNames, "&Vornamem", "", "", G::kData},
    {kCmdCountSurnames, "&Nachnamem", "", "", G::kData},
    {kCmdCountPlaces, "&Ortsnamem", "", "", G::kData},
    {kCmdCountEvents, "&Ereignisse", "", "", G::kData},
    {kCmdCheck, "&Fehlersuche", "ALT+F", "", G::kData},
    {kCmdDuplicates, "&Duplikate", "ALT+D", "", G::kData},
    {kCmdIslands, "&Inseln", "ALT+I", "", G::kData},
    {kCmdAutoSource, "&Auto-Source", "ALT+S", "", G::kData},
    {kCmdSoundex, "Sounde&x", "ALT+X", "", G::kAlways},
    {kCmdHelp, "&Hilfe (Website)", "", "", G::kAlways},
    {kCmdInfo, "&Info zu Korvane", "", "", G::kAlways},
    {kCmdSelectPerson, "&Person", "", "", G::kContext},
    {kCmdSelectAncestors, "&Vorfahren", "", "", G::kContext},
    {kCmdSelectDescendants, "&Nachkommen", "", "", G::kContext},
    {kCmdSelectAll, "&Alle", "", "", G::kContext},
    {kCmdUnselectPerson, "&Person", "", "", G::kContext},
    {kCmdUnselectAncestors, "&Vorfahren", "", "", G::kContext},
    {kCmdUnselectDescendants, "&Nachkommen", "", "", G::kContext},
    {kCmdUnselectAll, "&Alle", "", "", G::kContext},
    {kCmdMerge, "&Verschmelzen", "", "", G::kContext},
    {kCmdRelationship, "&Verwandtschaft", "", "", G::kContext},
};

MenuEntry Item(int id) { return {MenuEntry::kCommand, id, {}, {}}; }
MenuEntry Separator() { return {MenuEntry::kSeparator, 0, {}, {}}; }
MenuEntry Submenu(std::string_view label, std::vector<MenuEntry> children) {
  return {MenuEntry::kSubmenu, 0, label, std::move(children)};
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(int id) {
  for (const Command& command : kCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

const std::vector<Menu>& MainMenus() {
  static const std::vector<Menu> menus = {
      {"&DATEI",
       {Item(kCmdNew), Item(kCmdImport), Item(kCmdExportAll), Item(kCmdPartialExport),
        Item(kCmdTextOutput), Item(kCmdTextInput), Separator(),
        {MenuEntry::kRecentFiles, 0, {}, {}}, Separator(), Item(kCmdQuit)}},
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
      {Item(kCmdEditPerson),
       Submenu("&Auswählen", {Item(kCmdSelectPerson), Item(kCmdSelectAncestors),
                              Item(kCmdSelectDescendants), Item(kCmdSelectAll)}),
       Submenu("&Abwählen", {Item(kCmdUnselectPerson), Item(kCmdUnselectAncestors),
                             Item(kCmdUnselectDescendants), Item(kCmdUnselectAll)}),
       Item(kCmdDeletePerson), Item(kCmdMerge), Item(kCmdRelationship)}};
  return menu;
}

}  // namespace korvane
