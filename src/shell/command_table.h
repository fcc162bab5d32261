#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "shell/command_ids.h"

namespace korvane {

// When a command can be used: always, only with data (greyed before the first load and
// while a file is read or written), never, or as a recent-file entry.
enum class CommandGroup { kAlways, kData, kNever, kRecentFile, kContext };

struct Command {
  int id;
  std::string_view label;    // with its "&" mnemonic
  std::string_view keyText;  // shown behind the label ("CTRL+N"); label text only
  std::string_view shortcut; // the key that runs it ("Ctrl+I"), empty for none
  CommandGroup group;
};

// Every command of the menus and context menus; ids without a row do nothing.
std::span<const Command> Commands();
const Command* FindCommand(int id);

struct MenuEntry {
  enum Kind { kCommand, kSeparator, kSubmenu, kRecentFiles };
  Kind kind;
  int id = 0;                  // kCommand
  std::string_view label;      // kSubmenu
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
