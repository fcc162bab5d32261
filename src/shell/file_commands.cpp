#include <string>

#include "export/export_command.h"
#include "shell/app.h"
#include "shell/command_handlers.h"
#include "shell/command_ids.h"

namespace korvane {

void NewCommand(App& app, int) {
  if (!app.ConfirmDiscardChanges()) return;
  app.ResetToEmpty();
  app.ForgetData();
  app.ui().SetStatusText(0, "Verwende Menu:  BEARBEITEN / Hinzufügen");
  app.EnableDataCommands();
  app.RebuildCompletionLists();
}

void ImportCommand(App& app, int) {
  if (!app.ConfirmDiscardChanges()) return;
  const auto path =
      app.ui().ChooseFile({"GED Dateien (*.ged)", "*.ged", ".ged", true, app.DialogFolder()});
  if (path) app.LoadFile(*path);
}

void PartialExportCommand(App& app, int) {
  if (app.state().selectedCount == 0) {
    app.diagnostics().ErrorBox("Keine Personen wurden ausgewählt");
    return;
  }
  bool exported = false;
  app.RunFileOperation([&] { exported = ExportCommand(app.context()); });
  // The list shown afterwards fills the status bar; the export's line comes first.
  if (exported) app.ui().SetStatusText(0, app.file().displayName + " exportiert");
}

void RecentFileCommand(App& app, int id) {
  const std::string path = app.recentFiles().At(id - kCmdRecentFile1);
  if (!path.empty() && app.ConfirmDiscardChanges()) app.LoadFile(path);
}

// Closing asks about unexported changes, whichever way the window is closed.
void QuitCommand(App& app, int) { app.view().CloseWindow(); }

}  // namespace korvane
