#include "cli/batch_session.h"
#include "cli/cli_command.h"

namespace korvane::cli {

// korvane-cli load FILE: reads the file as the program does and prints the report.
int RunLoad(std::span<const std::string_view> args, CliStreams& streams) {
  if (args.size() != 1) {
    streams.err << "Aufruf: korvane-cli load DATEI.ged\n";
    return kExitUsage;
  }
  BatchSession session(streams);
  const bool loaded = session.Load(std::string(args[0]));
  streams.out << session.ReportForTerminal();
  if (!session.ReportForTerminal().empty() && session.ReportForTerminal().back() != '\n') {
    streams.out << "\n";
  }
  return loaded ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
