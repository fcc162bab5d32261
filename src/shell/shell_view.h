#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// What the tab area shows.
enum class TabView { kNone, kPersonList, kReport };

// What the application logic asks of its main window. The Qt front end implements it;
// tests record the calls.
class ShellView {
 public:
  virtual ~ShellView() = default;

  virtual void SetCommandEnabled(int id, bool enabled) = 0;
  virtual void SetRecentFiles(const std::vector<std::string>& paths) = 0;
  virtual void SelectTab(int tab) = 0;
  // Replaces the view of the tab area; the person list and the report are taken from
  // the application as they stand now.
  virtual void ShowView(TabView view) = 0;
  virtual void OpenHelp() = 0;
  virtual void ShowAbout() = 0;
  // The modal "SOUNDEX BERECHNEN" dialog; it stores nothing.
  virtual void ShowSoundexDialog() = 0;
  virtual void CloseWindow() = 0;
  // The window's title: the program and the file it works on.
  virtual void SetTitle(std::string_view title) = 0;
};

}  // namespace korvane
