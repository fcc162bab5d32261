#include "shell/app.h"
#include "shell/command_handlers.h"
#include "shell/command_ids.h"

namespace korvane {

void DeletePersonCommand(App& app, int) { app.DeleteCurrentPerson(app.state().activeTab); }

// Several highlighted rows are marked together; otherwise the current person.
void MarkPersonCommand(App& app, int id) {
  const bool selected = id == kCmdSelectPerson;
  ShellState& state = app.state();
  if (state.highlightedRins.size() > 1) {
    for (const Rin rin : state.highlightedRins) app.SetSelected(rin, selected);
  } else {
    app.SetSelected(state.currentRin, selected);
  }
  app.ShowTab(kTabSelection);
}

void MarkAllCommand(App& app, int id) {
  const bool selected = id == kCmdSelectAll;
  app.SelectAll(selected);
  app.ShowTab(selected ? kTabSelection : kTabList);
}

}  // namespace korvane
