#pragma once

#include "store/record_numbers.h"

namespace korvane {

// The state of the main window that commands and views share.
struct ShellState {
  Rin currentRin = 1;   // the person the views centre on
  Rin previousRin = 0;  // the one before; merge and relationship use both
  int activeTab = 0;
  int reportMode = 0;   // the command that made the report; 0 = none
  int selectedCount = 0;
};

}  // namespace korvane
