#include "cli/batch_shell.h"

namespace korvane::cli {

void BatchShell::ShowStatusAfterFileOperation() {
  ui_.SetStatusText(0, file_.displayName + " geladen");
  ui_.SetStatusText(1, "");
}

}  // namespace korvane::cli
