#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_session.h"
#include "cli/cli_command.h"

namespace korvane::cli {

// Closed ranges of record numbers ("1-20,35").
using RinRanges = std::vector<std::pair<int, int>>;

// Selects the present persons in `ranges` (all without) and exports them with their
// families to `target` as "Teil-Export" does, backups and log included; prints the
// export's status lines. The exit code.
int ExportPersons(BatchSession& session, const std::string& target,
                  const std::optional<RinRanges>& ranges, CliStreams& streams);

}  // namespace korvane::cli
