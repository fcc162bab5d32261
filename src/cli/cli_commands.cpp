#include "cli/cli_command.h"

namespace korvane::cli {

int RunLoad(std::span<const std::string_view> args, CliStreams& streams);
int RunExport(std::span<const std::string_view> args, CliStreams& streams);
int RunAdd(std::span<const std::string_view> args, CliStreams& streams);

std::span<const CliCommand> CliCommands() {
  static constexpr CliCommand kCommands[] = {
      {"load", "load DATEI.ged    GEDCOM-Datei einlesen, Verknüpfungen prüfen, Bericht ausgeben",
       RunLoad},
      {"export",
       "export DATEI.ged -o ZIEL.ged [--rins 1-20,35]    Personen (alle oder die genannten) "
       "mit ihren Familien exportieren",
       RunExport},
      {"add",
       "add DATEI.ged -o ZIEL.ged --name \"Vorname /Nachname/\" [--sex M|F] [--birth DATUM] "
       "[--birthplace ORT] [--death DATUM] [--deathplace ORT] [--child-of RIN | --father-of RIN "
       "| --mother-of RIN | --spouse-of RIN]    Person hinzufügen (als Kind, Vater, Mutter oder "
       "Ehepartner) und alles exportieren",
       RunAdd},
  };
  return kCommands;
}

}  // namespace korvane::cli
