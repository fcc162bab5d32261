#include <iostream>
#include <string_view>
#include <vector>

#include "cli/cli_command.h"

namespace korvane::cli {
namespace {

void PrintUsage(std::ostream& out) {
  out << "Korvane – Kommandozeile für GEDCOM-Dateien\n\n"
         "Aufruf: korvane-cli BEFEHL [ARGUMENTE]\n\n";
  if (CliCommands().empty()) {
    out << "Noch keine Befehle verfügbar.\n";
    return;
  }
  out << "Befehle:\n";
  for (const CliCommand& command : CliCommands()) out << "  " << command.usage << "\n";
}

int Main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "--hilfe" || args[0] == "-h") {
    PrintUsage(std::cout);
    return kExitOk;
  }
  for (const CliCommand& command : CliCommands()) {
    if (command.name == args[0]) {
      CliStreams streams{std::cout, std::cerr};
      return command.run(std::span(args).subspan(1), streams);
    }
  }
  std::cerr << "Unbekannter Befehl: " << args[0] << "\n\n";
  PrintUsage(std::cerr);
  return kExitUsage;
}

}  // namespace
}  // namespace korvane::cli

int main(int argc, char** argv) { return korvane::cli::Main(argc, argv); }
