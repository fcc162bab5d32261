#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/command_ids.h"

namespace korvane {

class App;

// Carries out one command; `id` tells the rows that share a handler apart.
using CommandHandler = void (*)(App& app, int id);

// When a command may run. The dispatch and the greying of the menus both derive from
// these, so a command is usable exactly when its menu entry is enabled.
struct CommandRules {
  bool needsData = false;    // greyed until a file is loaded or "Neu" started an empty one
  bool changesData = false;  // waits for the list's presorting to end before it runs
  bool whileBusy = false;    // may run while a file is read or written (touches no data)
  bool never = false;        // greyed for good
};

struct Command {
  int id;
  std::string_view label;     // with its "&" mnemonic
  std::string_view shortcut;  // the key that runs it ("Ctrl+I"); empty for none
  CommandRules rules;
  CommandHandler handler;  // null: not built yet, so greyed
};

// Every command of the menus and context menus; ids without a row do nothing.
std::span<const Command> Commands();
const Command* FindCommand(int id);

// The key text a menu shows behind the label ("CTRL+I"): only for a key that works, that
// is a command that has a key and a handler.
std::string KeyText(const Command& command);

struct MenuEntry {
  enum Kind { kCommand, kSeparator, kSubmenu, kRecentFiles };
  Kind kind;
  int id = 0;              // kCommand
  std::string_view label;  // kSubmenu; for kCommand, a label other than the command's own
  std::vector<MenuEntry> children;
};

struct Menu {
  std::string_view title;
  std::vector<MenuEntry> entries;
};

// The menu bar, in order.
const std::vector<Menu>& MainMenus();
// The context menu of the person lists.
const Menu& ListContextMenu();

// The label of the empty recent-files menu.
inline constexpr std::string_view kNoRecentFilesLabel = "(zuletzt verwendet)";

}  // namespace korvane
