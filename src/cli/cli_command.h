#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace korvane::cli {

// Exit codes of the command-line front end.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliStreams {
  std::ostream& out;
  std::ostream& err;
};

// One command of korvane-cli: its name, a one-line German usage text and the code that
// runs it on the arguments after the name. Adding a command is one file with one of
// these and one row in the table.
struct CliCommand {
  std::string_view name;
  std::string_view usage;
  int (*run)(std::span<const std::string_view> args, CliStreams& streams);
};

std::span<const CliCommand> CliCommands();

}  // namespace korvane::cli
