#pragma once

#include <string_view>

#include "gedcom/loaded_file.h"
#include "platform/shell_hooks.h"
#include "platform/ui.h"

namespace korvane::cli {

// The shell of the command line: no windows, no recent-files list, no list sort.
class BatchShell : public ShellHooks {
 public:
  BatchShell(Ui& ui, const LoadedFile& file) : ui_(ui), file_(file) {}

  void ResetToEmpty() override {}
  void WaitUntilSortReady() override {}
  void UpdateRecentFiles(std::string_view) override {}
  void EnableDataCommands() override {}
  void RebuildCompletionLists() override {}
  void ShowTab(int) override {}
  void ResetViewState() override {}
  void ShowStatusAfterFileOperation() override;

 private:
  Ui& ui_;
  const LoadedFile& file_;
};

}  // namespace korvane::cli
