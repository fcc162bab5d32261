#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "cli/batch_session.h"
#include "cli/cli_command.h"
#include "cli/export_persons.h"
#include "cli/log_tail.h"
#include "editing/completion_lists.h"
#include "editing/dispatch_edit_command.h"
#include "editing/edit_session.h"
#include "editing/person_dialog.h"
#include "store/sex.h"

namespace korvane::cli {
namespace {

constexpr const char* kUsage =
    "Aufruf: korvane-cli add DATEI.ged -o ZIEL.ged --name \"Vorname /Nachname/\" [--sex M|F] "
    "[--birth DATUM] [--birthplace ORT] [--death DATUM] [--deathplace ORT] "
    "[--child-of RIN | --father-of RIN | --mother-of RIN | --spouse-of RIN]\n";

// The fields of the new person, as the user would type them into the dialog, by field.
struct NewPerson {
  std::string sex;
  std::map<int, std::string> fields;
};

// The options that fill one field each.
constexpr std::pair<std::string_view, int> kFieldOptions[] = {{"--birth", kBirthDateField},
                                                              {"--birthplace", kBirthPlaceField},
                                                              {"--death", kDeathDateField},
                                                              {"--deathplace", kDeathPlaceField}};

// "Vorname /Nachname/" as GEDCOM writes a name: the surname between slashes.
void SplitName(std::string_view name, NewPerson& person) {
  const std::size_t open = name.find('/');
  if (open == std::string_view::npos) {
    person.fields[kGivenNamesField] = name;
    return;
  }
  const std::size_t close = name.find('/', open + 1);
  std::string_view given = name.substr(0, open);
  while (!given.empty() && given.back() == ' ') given.remove_suffix(1);
  person.fields[kGivenNamesField] = given;
  person.fields[kSurnameField] =
      name.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
}

// The person dialog filled in and confirmed, as if typed; the number dialog left empty,
// which asks for a new person.
class TypedDialogs : public EditDialogs {
 public:
  explicit TypedDialogs(const NewPerson& person) : person_(person) {}

  bool EditPerson(PersonDialog& dialog) override {
    for (const char32_t letter : person_.sex) dialog.SexKeyTyped(letter);
    // Saving reads the dates as the dialog reads what was typed.
    for (const auto& [id, text] : person_.fields) {
      if (!text.empty()) dialog.SetText(id, text);
    }
    return dialog.Save();
  }
  std::optional<std::string> AskRin(std::string_view) override { return std::string(); }
  std::optional<std::string> AskMrin(std::string_view) override { return std::nullopt; }

 private:
  const NewPerson& person_;
};

struct AddRequest {
  std::string source;
  std::string target;
  NewPerson person;
  bool named = false;
  int command = kNewPersonCommand;
  Rin subject = 0;
};

bool ParseRequest(std::span<const std::string_view> args, AddRequest& request) {
  static constexpr std::pair<std::string_view, int> kRelations[] = {
      {"--child-of", kAddChildCommand},
      {"--father-of", kAddFatherCommand},
      {"--mother-of", kAddMotherCommand},
      {"--spouse-of", kAddSpouseCommand}};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (!arg.starts_with("-")) {
      if (!request.source.empty()) return false;
      request.source = arg;
      continue;
    }
    if (!hasValue) return false;
    const std::string_view value = args[++i];
    if (arg == "-o") {
      request.target = value;
    } else if (arg == "--name") {
      SplitName(value, request.person);
      request.named = true;
    } else if (arg == "--sex") {
      if (value != "M" && value != "F" && value != "m" && value != "f") return false;
      request.person.sex = value;
    } else if (const auto field =
                   std::ranges::find(kFieldOptions, arg, &std::pair<std::string_view, int>::first);
               field != std::end(kFieldOptions)) {
      request.person.fields[field->second] = value;
    } else {
      bool relation = false;
      for (const auto& [option, command] : kRelations) {
        if (arg != option) continue;
        if (request.command != kNewPersonCommand) return false;  // one relation only
        request.command = command;
        request.subject = TypedNumber(value);
        relation = request.subject > 0;
      }
      if (!relation) return false;
    }
  }
  return !request.source.empty() && !request.target.empty() && request.named;
}

// The sex the relation gives the new person (a father is a man, a spouse of a woman too);
// 0 when it leaves it open.
char SexOfRelation(const AddRequest& request, const Store& store) {
  switch (request.command) {
    case kAddFatherCommand:
      return 'M';
    case kAddMotherCommand:
      return 'F';
    case kAddSpouseCommand: {
      const char sex = store.PersonRecord(request.subject).sex;
      return IsMale(sex) ? 'F' : IsFemale(sex) ? 'M' : 0;
    }
    default:
      return 0;
  }
}

}  // namespace

// korvane-cli add FILE -o TARGET --name ... [relation]: the "BEARBEITEN / Hinzufügen"
// command with the given fields typed into the dialog and confirmed, every other question
// answered No; then everything is exported to TARGET.
int RunAdd(std::span<const std::string_view> args, CliStreams& streams) {
  AddRequest request;
  if (!ParseRequest(args, request)) {
    streams.err << kUsage;
    return kExitUsage;
  }
  BatchSession session(streams);
  if (!session.Load(request.source)) {
    streams.out << session.ReportForTerminal();
    return kExitFailed;
  }
  // A --sex against the relation would make a family with two men or two women.
  const char required = SexOfRelation(request, session.store);
  if (required != 0 && !request.person.sex.empty() &&
      NormalizedSex(request.person.sex[0]) != required) {
    streams.err << "FEHLER: Die neue Person muss " << (required == 'M' ? "männlich" : "weiblich")
                << " sein\n";
    return kExitFailed;
  }
  session.ui.SetDefaultAnswer(MessageAnswer::No);
  TypedDialogs dialogs(request.person);
  CompletionLists completions;
  BuildCompletionLists(session.store, completions);
  EditState state;
  EditSession editing{session.store, session.diagnostics, session.ui, dialogs, completions, state,
                      nullptr};
  const LogTail log(session.context().files, session.diagnostics.LogPath());
  const EditOutcome outcome = DispatchEditCommand(editing, request.command, request.subject);
  streams.out << ToTerminalText(log.NewText());
  if (!outcome.rebuildPersonList) return kExitFailed;  // refused: the error box was printed
  return ExportPersons(session, request.target, std::nullopt, streams);
}

}  // namespace korvane::cli
