#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "shell/command_ids.h"

namespace korvane {

class App;

// The box a tab shows instead of its view when it has nothing to show.
struct TabRefusal {
  std::string_view title;
  std::string_view text;
};

// One tab of the strip: its title, when it refuses to open, and how its view is built
// and put away. A view of its own is one more row.
struct TabRow {
  int index;
  std::string_view title;
  // Beyond the rule of every tab (no data, no tab): a box to show instead, or none.
  std::optional<TabRefusal> (*refusal)(const App& app);
  // Builds and shows the view; null while the tab has no view yet.
  void (*show)(App& app);
  // Called when another tab takes over; null when the view needs nothing then.
  void (*hide)(App& app);
};

// The nine tabs, in strip order (row i has index i).
std::span<const TabRow> Tabs();

// What every tab says while there are no data.
inline constexpr TabRefusal kNoDataRefusal = {
    "KEINE DATEN", "Bitte erst DATEI / Importieren\noder\nBEARBEITEN / Hinzufügen/ Neue Person"};

}  // namespace korvane
