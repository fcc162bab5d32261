#include <vector>

#include "shell/app.h"
#include "shell/command_handlers.h"
#include "shell/command_ids.h"

namespace korvane {

// The current person is the subject of the "BEARBEITEN" menu and the list's context menu.
void EditCommand(App& app, int id) { app.RunEditCommand(id, app.state().currentRin); }

// Several highlighted rows are marked together; otherwise the current person.
void MarkPersonCommand(App& app, int id) {
  const ShellState& state = app.state();
  const std::vector<Rin> subjects =
      state.highlightedRins.size() > 1 ? state.highlightedRins : std::vector{state.currentRin};
  EditOutcome outcome;
  for (const Rin rin : subjects) {
    EditSession session = app.Editing();
    outcome = DispatchEditCommand(session, id, rin);
  }
  app.ApplyEditOutcome(outcome);
}

void SoundexCommand(App& app, int) { app.view().ShowSoundexDialog(); }

}  // namespace korvane
