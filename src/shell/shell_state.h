#pragma once

#include <vector>

#include "editing/edit_session.h"
#include "store/record_numbers.h"

namespace korvane {

// The state of the main window that commands and views share; the part the link
// operations read and change is theirs (the current person, the family shown, the
// selection count, the next dialog's title).
struct ShellState : EditState {
  int activeTab = 0;
  int reportMode = 0;  // the command that made the report; 0 = none
  // The persons highlighted in the list (several with Shift or Ctrl); the selecting
  // commands act on all of them.
  std::vector<Rin> highlightedRins;
};

}  // namespace korvane
