#pragma once

#include <string_view>

namespace korvane {

// What the loaders and writers below the shell ask of it. The desktop shell implements
// these with its windows; the command line and tests with little or nothing.
class ShellHooks {
 public:
  virtual ~ShellHooks() = default;

  // Drops the view state of the previous data set before a new one is loaded.
  virtual void ResetToEmpty() = 0;
  // Returns once no list sort is running on the tables any more.
  virtual void WaitUntilSortReady() = 0;
  // After a successful load: the recent-files list, the data commands, the suggestion
  // lists of the person editor, and the first tab.
  virtual void UpdateRecentFiles(std::string_view path) = 0;
  virtual void EnableDataCommands() = 0;
  virtual void RebuildCompletionLists() = 0;
  virtual void ShowTab(int tab) = 0;
  // After an export: the views forget the selection and the changes.
  virtual void ResetViewState() = 0;
  // The status bar after a file was read or written ("%s geladen" or the selection count).
  virtual void ShowStatusAfterFileOperation() = 0;
};

}  // namespace korvane
