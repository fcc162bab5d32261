#pragma once

#include <functional>
#include <string>

#include "gedcom/import_driver.h"
#include "platform/settings.h"
#include "platform/shell_hooks.h"
#include "platform/ui.h"
#include "shell/recent_files.h"
#include "shell/shell_state.h"
#include "shell/shell_view.h"
#include "store/diagnostics.h"
#include "store/store.h"
#include "views/person_list.h"

namespace korvane {

// The program without its windows: the data, the shell state and the commands. The
// window forwards menu commands, tab changes, list events and dropped files; the
// application answers through the Ui (boxes, dialogs, status) and the ShellView.
class App : public ShellHooks {
 public:
  App(Ui& ui, ShellView& view, Settings& settings);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Reads the recent files and puts the window into its empty state.
  void Start();
  // Writes the recent files back and deletes the program log.
  void Shutdown();

  // A menu, key or context-menu command. Ids without a command do nothing.
  void RunCommand(int id);
  // The user picked another tab; false when it is refused (no data, no selection).
  bool RequestTab(int tab);
  // A dropped file or the command line: loaded without asking about changes.
  void LoadFile(const std::string& path);
  // True while a file is read or written: commands that change or reload data are
  // refused (and greyed) until it ends.
  bool Busy() const { return busy_; }

  // Asks before unexported changes are dropped; true to go on.
  bool ConfirmDiscardChanges();

  // Person list events.
  void ListRowActivated(int row);  // click, focus change, selection by key
  void ListHeaderClicked(int column);
  // A key typed into the list; the row to select, if any.
  std::optional<int> ListKeyTyped(int keyCode, int currentRow, std::int64_t nowSeconds);
  void ListDeleteKey();

  Store& store() { return store_; }
  Diagnostics& diagnostics() { return diagnostics_; }
  ShellState& state() { return state_; }
  const LoadedFile& file() const { return file_; }
  PersonList& personList() { return personList_; }
  const RecentFileList& recentFiles() const { return recentFiles_; }
  LoadContext& context() { return context_; }

  // ShellHooks
  void ResetToEmpty() override;
  void WaitUntilSortReady() override { personList_.WaitUntilSortReady(); }
  void UpdateRecentFiles(std::string_view path) override;
  void EnableDataCommands() override { SetDataCommandsEnabled(true); }
  void RebuildCompletionLists() override {}
  void ShowTab(int tab) override;
  void ResetViewState() override;
  void ShowStatusAfterFileOperation() override;

 private:
  void SetDataCommandsEnabled(bool enabled);
  void SetBusy(bool busy);
  void RunFileOperation(const std::function<void()>& operation);
  void SetSelected(Rin rin, bool selected);
  void SelectAll(bool selected);
  void DeleteCurrentPerson(int tabAfterwards);
  void ShowPersonList(bool selectedOnly);
  void SetStatus(int part, const std::string& text) { ui_.SetStatusText(part, text); }

  Ui& ui_;
  ShellView& view_;
  Settings& settings_;
  Store store_;
  Diagnostics diagnostics_{ui_};
  LoadedFile file_;
  ShellState state_;
  RecentFileList recentFiles_;
  PersonList personList_{store_};
  LoadContext context_{store_, diagnostics_, ui_, *this, file_, nullptr};
  bool dataCommandsEnabled_ = false;
  bool busy_ = false;
};

}  // namespace korvane
