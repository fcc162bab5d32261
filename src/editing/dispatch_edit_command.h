#pragma once

#include <optional>
#include <string_view>

#include "editing/edit_session.h"

namespace korvane {

// The commands of the "BEARBEITEN" menu and the context menus that reach the link
// operations.
enum EditCommand : int {
  kEditPersonCommand = 32779,
  kSeparateSpouseCommand = 32781,
  kSeparateChildCommand = 32782,
  kNewPersonCommand = 32783,
  kAddSpouseCommand = 32784,
  kAddChildCommand = 32785,
  kAddFatherCommand = 32786,
  kAddMotherCommand = 32787,
  kDeletePersonCommand = 32788,
  kSelectPersonCommand = 32814,
  kSelectAllCommand = 32817,
  kUnselectPersonCommand = 32818,
  kUnselectAllCommand = 32821,
};

// What the shell does after an edit command, besides showing the current tab again.
struct EditOutcome {
  bool handled = false;             // the command is one of these (even when refused)
  std::optional<int> showTab;       // the tab to show instead of the current one
  bool rebuildPersonList = false;   // the list's rows or selection changed
  bool personDeleted = false;       // the check's error list is rebuilt when it is shown
  bool enableDataCommands = false;  // the first person of an empty program was made
};

// Carries out the edit command on the subject person (the current person of the main
// window, or the person clicked in a drawing). Subjects below 1 do nothing, except for
// the new person; a subject that is no present person is refused. Numbers typed into the
// number dialog are checked by the operation they go to.
EditOutcome DispatchEditCommand(EditSession& session, int command, Rin subject);

// The number in a typed text, as the number dialogs read it: leading blanks, a sign and
// digits; 0 for an empty or non-numeric text; beyond the range of record numbers it is
// the largest (or smallest) one, which names no record.
Rin TypedNumber(std::string_view text);

}  // namespace korvane
