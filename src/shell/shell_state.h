#pragma once

#include <vector>

#include "store/record_numbers.h"

namespace korvane {

// The state of the main window that commands and views share.
struct ShellState {
  Rin currentRin = 1;   // the person the views centre on
  Rin previousRin = 0;  // the one before; merge and relationship use both
  int activeTab = 0;
  int reportMode = 0;  // the command that made the report; 0 = none
  int selectedCount = 0;
  // The persons highlighted in the list (several with Shift or Ctrl); the selecting
  // commands act on all of them.
  std::vector<Rin> highlightedRins;
};

}  // namespace korvane
