#pragma once

#include <ostream>
#include <string_view>

#include "cli/batch_shell.h"
#include "cli/cli_command.h"
#include "gedcom/import_driver.h"
#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane::cli {

// Everything a command works on, without windows: error boxes are printed as
// "FEHLER: <text>" on the error stream as they appear.
class BatchSession {
 public:
  explicit BatchSession(CliStreams& streams);

  bool Load(const std::string& path);
  LoadContext& context() { return context_; }
  // The report as it stands, with CR LF shown as LF.
  std::string ReportForTerminal() const;

  ScriptedUi ui;
  Store store;
  Diagnostics diagnostics{ui};
  LoadedFile file;
  BatchShell shell{ui, file};

 private:
  LoadContext context_{store, diagnostics, ui, shell, file, nullptr};
};

// Text from the program's own notation (CR LF line ends) for a terminal.
std::string ToTerminalText(std::string_view text);

}  // namespace korvane::cli
