#pragma once

// A window-less main window for the shell tests: the App with a ScriptedUi, settings in
// memory, a ShellView that records what it was asked to show, and a private folder for
// the GEDCOM files it loads (loading writes korvane.log beside the file).

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../editing/scripted_dialogs.h"
#include "common/test_support.h"
#include "platform/scripted_ui.h"
#include "platform/settings.h"
#include "shell/app.h"
#include "shell/command_ids.h"
#include "shell/command_table.h"
#include "shell/shell_view.h"
#include "store/flags.h"

namespace korvane::shell_test {

using Paths = std::vector<std::string>;
using test::Ged;

// The menu commands that need data, greyed before the first load and while a file is read.
inline const std::set<int> kDataCommands = {
    32775, 32777, 32776, 32779, 32781, 32782, 32784, 32785, 32786, 32787, 32788, 32789, 32805,
    32806, 32807, 32808, 32809, 32810, 32811, 32812, 32813, 32804, 32802, 32800, 32801};

// Those of them, and of the context menus, that are built so far: the others stay greyed.
inline std::set<int> BuiltDataCommands() {
  std::set<int> ids;
  for (const Command& command : Commands()) {
    if (command.rules.needsData && command.handler != nullptr) ids.insert(command.id);
  }
  return ids;
}

class RecordingView : public ShellView {
 public:
  void SetCommandEnabled(int id, bool enabled) override {
    enabled_[id] = enabled;
    if (enabled) everEnabled.insert(id);
  }
  void SetRecentFiles(const Paths& paths) override { recentFiles = paths; }
  void SelectTab(int tab) override { shownTab = tab; }
  void ShowView(TabView view) override { shownView = view; }
  void OpenHelp() override {}
  void ShowAbout() override { ++abouts; }
  void ShowSoundexDialog() override { ++soundexDialogs; }
  void CloseWindow() override { ++closes; }
  void SetTitle(std::string_view text) override { title = text; }

  // The last state set for a command; none before the first.
  std::optional<bool> Enabled(int id) const {
    const auto it = enabled_.find(id);
    return it == enabled_.end() ? std::nullopt : std::optional(it->second);
  }
  // The state of every data command when they agree, else none.
  std::optional<bool> DataCommandsEnabled() const {
    std::set<std::optional<bool>> states;
    for (const int id : BuiltDataCommands()) states.insert(Enabled(id));
    return states.size() == 1 ? *states.begin() : std::nullopt;
  }

  std::set<int> everEnabled;
  Paths recentFiles;
  int shownTab = -1;
  TabView shownView = TabView::kNone;
  int abouts = 0;
  int soundexDialogs = 0;
  int closes = 0;
  std::string title;

 private:
  std::map<int, bool> enabled_;
};

// Four persons in one family; RIN 3 and 5 are never defined.
inline const std::string kFamily =
    Ged("0 HEAD|1 CHAR UTF-8|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|"
        "0 @I2@ INDI|1 NAME Anna /Köhler/|1 SEX F|1 FAMS @F1@|0 @I4@ INDI|1 NAME Otto /Brandt/|"
        "1 FAMC @F1@|0 @I6@ INDI|1 NAME Emma /Brandt/|1 FAMC @F1@|0 @F1@ FAM|1 HUSB @I1@|"
        "1 WIFE @I2@|1 CHIL @I4@|1 CHIL @I6@|0 TRLR");

// A started application; `UiType` lets a test watch the window while a file is read.
template <typename UiType = ScriptedUi>
struct BasicShell {
  BasicShell() { app.Start(); }

  // Writes the family under `name` and loads it as a dropped file would be.
  std::string Load(std::string_view name = "familie.ged") {
    const std::string path = folder.Write(name, kFamily);
    app.LoadFile(path);
    // Tests change the tables directly, not through commands: like a command, they wait
    // for the list's sort worker, which reads them.
    app.WaitUntilSortReady();
    return path;
  }
  int SelectedFlags() {
    int count = 0;
    for (const Person& p : app.store().personTable) count += (p.flags & SelectedFlag) != 0;
    return count;
  }
  bool Present(Rin rin) { return (app.store().personTable[rin].flags & PresentFlag) != 0; }

  test::TempFolder folder;
  UiType ui;
  MemorySettings settings;
  RecordingView view;
  edit_test::ScriptedDialogs dialogs;
  App app{ui, view, settings, dialogs};
};
using Shell = BasicShell<>;

}  // namespace korvane::shell_test
