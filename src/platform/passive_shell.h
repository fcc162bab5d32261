#pragma once

#include "platform/shell_hooks.h"

namespace korvane {

// A shell without windows, menus or a list sort: for batch work and tests. Derived shells
// override what they do show.
class PassiveShell : public ShellHooks {
 public:
  void ResetToEmpty() override {}
  void WaitUntilSortReady() override {}
  void UpdateRecentFiles(std::string_view) override {}
  void EnableDataCommands() override {}
  void RebuildCompletionLists() override {}
  void ShowTab(int) override {}
  void ResetViewState() override {}
  void ShowStatusAfterFileOperation() override {}
};

}  // namespace korvane
