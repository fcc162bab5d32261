#pragma once

// A window-less main window for the shell tests: the App with a ScriptedUi, settings in
// memory, a ShellView that records what it was asked to show, and a private folder for
// the GEDCOM files it loads (loading writes korvane.log beside the file).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/scripted_ui.h"
#include "platform/settings.h"
#include "shell/app.h"
#include "shell/shell_view.h"
#include "store/flags.h"

namespace korvane::shell_test {

using Paths = std::vector<std::string>;

// The commands that need data, greyed before the first load and while a file is read.
inline const std::vector<int> kDataCommands = {
    32775, 32777, 32776, 32779, 32781, 32782, 32784, 32785, 32786, 32787, 32788, 32789, 32805,
    32806, 32807, 32808, 32809, 32810, 32811, 32812, 32813, 32804, 32802, 32800, 32801};

class RecordingView : public ShellView {
 public:
  void SetCommandEnabled(int id, bool enabled) override {
    enabled_[id] = enabled;
    enableCalls.emplace_back(id, enabled);
  }
  void SetRecentFiles(const Paths& paths) override { recentFiles = paths; }
  void SelectTab(int tab) override { selectedTabs.push_back(tab); }
  void ShowView(TabView view) override { views.push_back(view); }
  void OpenHelp() override { ++helps; }
  void ShowAbout() override { ++abouts; }
  void CloseWindow() override { ++closes; }

  std::optional<bool> Enabled(int id) const {
    const auto it = enabled_.find(id);
    if (it == enabled_.end()) return std::nullopt;
    return it->second;
  }
  // True or false when every data command is in that state; none when they differ.
  std::optional<bool> DataCommandsEnabled() const {
    const std::optional<bool> first = Enabled(kDataCommands.front());
    for (const int id : kDataCommands) {
      if (Enabled(id) != first) return std::nullopt;
    }
    return first;
  }
  TabView LastView() const { return views.empty() ? TabView::kNone : views.back(); }

  std::vector<std::pair<int, bool>> enableCalls;
  Paths recentFiles;
  std::vector<int> selectedTabs;
  std::vector<TabView> views;
  int helps = 0;
  int abouts = 0;
  int closes = 0;

 private:
  std::map<int, bool> enabled_;
};

// GEDCOM text from lines separated by "|", each ended with CR LF.
inline std::string Ged(std::string_view lines) {
  std::string text;
  for (const char ch : lines) ch == '|' ? text += "\r\n" : text += ch;
  return text + "\r\n";
}

// Four persons in one family; RIN 3 and 5 are never defined.
inline const std::string kFamily =
    Ged("0 HEAD|1 CHAR UTF-8|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|"
        "0 @I2@ INDI|1 NAME Anna /Köhler/|1 SEX F|1 FAMS @F1@|0 @I4@ INDI|1 NAME Otto /Brandt/|"
        "1 FAMC @F1@|0 @I6@ INDI|1 NAME Emma /Brandt/|1 FAMC @F1@|0 @F1@ FAM|1 HUSB @I1@|"
        "1 WIFE @I2@|1 CHIL @I4@|1 CHIL @I6@|0 TRLR");

class TempFolder {
 public:
  TempFolder() {
    static int made = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("korvane-shell-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(std::string_view name) const { return (path_ / name).string(); }
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  Paths Names() const {
    Paths names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

// A started application; `Ui` lets a test watch the window while a file is read.
template <typename UiType = ScriptedUi>
struct BasicShell {
  BasicShell() { app.Start(); }

  // Writes the family under `name` and loads it as a dropped file would be.
  std::string Load(std::string_view name = "familie.ged") {
    const std::string path = folder.Write(name, kFamily);
    app.LoadFile(path);
    return path;
  }
  int SelectedFlags() {
    int count = 0;
    for (Rin rin = 1; rin <= app.store().PersonCount(); ++rin) {
      count += (app.store().personTable[rin].flags & SelectedFlag) != 0;
    }
    return count;
  }
  bool Present(Rin rin) { return (app.store().personTable[rin].flags & PresentFlag) != 0; }

  TempFolder folder;
  UiType ui;
  MemorySettings settings;
  RecordingView view;
  App app{ui, view, settings};
};
using Shell = BasicShell<>;

}  // namespace korvane::shell_test
