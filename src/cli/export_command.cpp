#include "export/export_command.h"

#include <charconv>
#include <optional>
#include <vector>

#include "cli/batch_session.h"
#include "cli/cli_command.h"
#include "cli/export_persons.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane::cli {
namespace {

// "1-20,35" as a list of closed ranges; none when the text is not such a list.
std::optional<RinRanges> ParseRinList(std::string_view text) {
  RinRanges ranges;
  for (bool more = true; more;) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    more = comma != std::string_view::npos;
    if (more) text.remove_prefix(comma + 1);
    const std::size_t dash = item.find('-');
    int first = 0, last = 0;
    const std::string_view a = item.substr(0, dash);
    const std::string_view b = dash == std::string_view::npos ? a : item.substr(dash + 1);
    if (std::from_chars(a.data(), a.data() + a.size(), first).ptr != a.data() + a.size() ||
        std::from_chars(b.data(), b.data() + b.size(), last).ptr != b.data() + b.size() ||
        a.empty() || b.empty() || first < 1 || last < first) {
      return std::nullopt;
    }
    ranges.push_back({first, last});
  }
  if (ranges.empty()) return std::nullopt;
  return ranges;
}

bool InRanges(Rin rin, const std::optional<RinRanges>& ranges) {
  if (!ranges) return true;
  for (const auto& [first, last] : *ranges) {
    if (rin >= first && rin <= last) return true;
  }
  return false;
}

int Usage(CliStreams& streams) {
  streams.err << "Aufruf: korvane-cli export DATEI.ged -o ZIEL.ged [--rins 1-20,35]\n";
  return kExitUsage;
}

}  // namespace

// korvane-cli export FILE -o TARGET [--rins LIST]: loads FILE, selects the persons (all
// by default) and exports them to TARGET as "Teil-Export" does, backups and log included.
int RunExport(std::span<const std::string_view> args, CliStreams& streams) {
  std::string source, target;
  std::optional<RinRanges> ranges;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      target = args[++i];
    } else if (args[i] == "--rins" && i + 1 < args.size()) {
      ranges = ParseRinList(args[++i]);
      if (!ranges) return Usage(streams);
    } else if (source.empty() && !args[i].starts_with("-")) {
      source = args[i];
    } else {
      return Usage(streams);
    }
  }
  if (source.empty() || target.empty()) return Usage(streams);

  BatchSession session(streams);
  if (!session.Load(source)) {
    streams.out << session.ReportForTerminal();
    return kExitFailed;
  }
  return ExportPersons(session, target, ranges, streams);
}

int ExportPersons(BatchSession& session, const std::string& target,
                  const std::optional<RinRanges>& ranges, CliStreams& streams) {
  Store& store = session.store;
  int selected = 0;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    if (InRanges(rin, ranges) && PersonExists(store, rin)) {
      store.personTable[rin].flags |= SelectedFlag;
      ++selected;
    }
  }
  if (selected == 0) {
    streams.err << "Keine der angegebenen Personen ist vorhanden.\n";
    return kExitFailed;
  }
  // The export command refuses other targets silently, as its file dialog does; here the
  // user would see nothing at all.
  std::string lower = target;
  for (char& ch : lower) ch = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
  if (lower.find("ged") == std::string::npos) {
    streams.err << "Das Ziel " << target << " ist keine GED-Datei; nichts exportiert.\n";
    return kExitFailed;
  }
  session.ui.QueueFile(target);
  const std::size_t before = session.ui.StatusHistory().size();
  const bool exported = ExportCommand(session.context());
  for (std::size_t i = before; i < session.ui.StatusHistory().size(); ++i) {
    const std::string& entry = session.ui.StatusHistory()[i];
    if (entry.starts_with("0: ") && entry.size() > 3) streams.out << entry.substr(3) << "\n";
  }
  return exported ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
