#pragma once

// Runs one korvane-cli command on its arguments, as the program's main would, and keeps
// what it printed.

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_command.h"

namespace korvane::cli_test {

struct CliResult {
  int exitCode = -1;  // -1: no such command
  std::string out;
  std::string err;
};

inline CliResult RunCli(std::string_view command, std::vector<std::string_view> args) {
  std::ostringstream out, err;
  cli::CliStreams streams{out, err};
  CliResult result;
  for (const cli::CliCommand& c : cli::CliCommands()) {
    if (c.name == command) result.exitCode = c.run(args, streams);
  }
  result.out = out.str();
  result.err = err.str();
  return result;
}

}  // namespace korvane::cli_test
