#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editing/completion_lists.h"
#include "editing/dispatch_edit_command.h"
#include "editing/edit_session.h"
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

struct Command;

// The program without its windows: the data, the shell state and the commands. The
// window forwards menu commands, tab changes, list events and dropped files; the
// application answers through the Ui (boxes, dialogs, status) and the ShellView. The
// commands themselves are rows of the command table with a handler each.
class App : public ShellHooks {
 public:
  App(Ui& ui, ShellView& view, Settings& settings, EditDialogs& dialogs);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Reads the recent files and puts the window into its empty state.
  void Start();
  // Writes the recent files back and deletes the program log.
  void Shutdown();

  // A menu, key or context-menu command; runs only when its row allows it now. A command
  // that changes data runs once the list's presorting no longer reads the tables.
  void RunCommand(int id);
  // Whether the command may run now: what its menu entry shows.
  bool CommandEnabled(int id) const;
  // The user picked another tab; false when it is refused (no data, no selection).
  bool RequestTab(int tab);
  // The window is about to close: false keeps it open (unexported changes the user keeps,
  // or a file still being read or written).
  bool CloseRequested();
  // The command line, or a file chosen after the question about changes: loaded as is.
  void LoadFile(const std::string& path);
  // A file dropped on the window: it replaces the data like "Importiere GED" does, so it
  // asks about unexported changes first.
  void LoadDroppedFile(const std::string& path);
  // True while a file is read or written: commands that change or reload data are
  // refused (and greyed) until it ends.
  bool Busy() const { return busy_; }

  // Asks before unexported changes are dropped; true to go on.
  bool ConfirmDiscardChanges();

  // Person list events.
  void ListRowActivated(int row);  // click, focus change, selection by key
  void ListRowsHighlighted(const std::vector<int>& rows);
  void ListHeaderClicked(int column);
  // A key typed into the list; the row to select, if any.
  std::optional<int> ListKeyTyped(int keyCode, int currentRow, std::int64_t nowSeconds);
  void ListDeleteKey();

  // For the command handlers.
  Ui& ui() { return ui_; }
  ShellView& view() { return view_; }
  Store& store() { return store_; }
  const Store& store() const { return store_; }
  Diagnostics& diagnostics() { return diagnostics_; }
  ShellState& state() { return state_; }
  const LoadedFile& file() const { return file_; }
  PersonList& personList() { return personList_; }
  const RecentFileList& recentFiles() const { return recentFiles_; }
  LoadContext& context() { return context_; }
  // Runs a load or write with the data commands greyed; the active tab shows the data
  // as they are afterwards.
  void RunFileOperation(const std::function<void()>& operation);
  // No data and no file any more, as before the first load ("Neu").
  void ForgetData();
  // The folder file dialogs open in: that of the current file, else of the last one.
  std::string DialogFolder() const;
  // What the link operations work with, the current person's family shown included.
  EditSession Editing();
  // An edit command on `subject`; afterwards the tab the command asks for, else
  // `tabAfterwards`, else the active one is shown again with the data as they are now.
  void RunEditCommand(int id, Rin subject, int tabAfterwards = -1);
  // Shows what the outcomes of one or more edit commands ask for.
  void ApplyEditOutcome(const EditOutcome& outcome, int tabAfterwards = -1);
  void ShowPersonList(bool selectedOnly);

  // ShellHooks
  void ResetToEmpty() override;
  void WaitUntilSortReady() override { personList_.WaitUntilSortReady(); }
  void UpdateRecentFiles(std::string_view path) override;
  void EnableDataCommands() override { SetDataCommandsEnabled(true); }
  void RebuildCompletionLists() override;
  void ShowTab(int tab) override;
  void ResetViewState() override;
  void ShowStatusAfterFileOperation() override;

 private:
  bool CommandUsable(const Command& command) const;
  void RefreshCommandStates();
  void SetDataCommandsEnabled(bool enabled);
  void SetBusy(bool busy);
  void ShowFileInTitle();
  void RemoveProgramLog();
  void SetStatus(int part, const std::string& text) { ui_.SetStatusText(part, text); }

  Ui& ui_;
  ShellView& view_;
  Settings& settings_;
  EditDialogs& dialogs_;
  Store store_;
  Diagnostics diagnostics_{ui_};
  LoadedFile file_;
  ShellState state_;
  RecentFileList recentFiles_;
  PersonList personList_{store_};
  CompletionLists completions_;
  LoadContext context_{store_, diagnostics_, ui_, *this, file_, nullptr};
  bool dataCommandsEnabled_ = false;
  bool busy_ = false;
};

}  // namespace korvane
