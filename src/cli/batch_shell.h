#pragma once

#include <string_view>

#include "gedcom/loaded_file.h"
#include "platform/passive_shell.h"
#include "platform/ui.h"

namespace korvane::cli {

// The shell of the command line: no windows, no recent-files list, no list sort; only the
// status line, which the export command prints.
class BatchShell : public PassiveShell {
 public:
  BatchShell(Ui& ui, const LoadedFile& file) : ui_(ui), file_(file) {}

  void ShowStatusAfterFileOperation() override;

 private:
  Ui& ui_;
  const LoadedFile& file_;
};

}  // namespace korvane::cli
