#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui.h"
#include "store/diagnostics.h"
#include "store/record_numbers.h"
#include "store/store.h"

namespace korvane {

class PersonDialog;
struct CompletionLists;

// What the link operations share with the views. The shell owns it for the whole run.
struct EditState {
  Rin currentRin = 1;   // the person the views centre on
  Rin previousRin = 0;  // the one before it
  // Which of the current person's spouse families the views and the person dialog show.
  int currentFamilyIndex = 0;
  int selectedCount = 0;
  // The title the next person dialog or number dialog takes (see SetDialogTitle).
  std::string pendingDialogTitle;
};

// The modal dialogs the link operations open. The desktop binds them to windows, the
// command line and tests script them.
class EditDialogs {
 public:
  virtual ~EditDialogs() = default;

  // Runs the person edit dialog modally; true when the user saved ("SPEICHERN") and
  // Save() returned true, false when cancelled. A person just created for the dialog has
  // no present flag yet while it is open; saving may create a spouse family for it when a
  // marriage was entered.
  virtual bool EditPerson(PersonDialog& dialog) = 0;

  // The number dialog for a person ("HINZUFÜGEN", "(leerlassen für neu)"): the entered
  // text, or none when cancelled. An empty or non-numeric text asks for a new person.
  virtual std::optional<std::string> AskRin(std::string_view title) = 0;

  // The number dialog for a family ("ELTERN ZUORDNEN", "MRIN:"): as AskRin.
  virtual std::optional<std::string> AskMrin(std::string_view title) = 0;
};

// Everything an edit operation works with.
struct EditSession {
  Store& store;
  Diagnostics& diagnostics;
  Ui& ui;
  EditDialogs& dialogs;
  // The names and places the person dialog completes from.
  CompletionLists& completions;
  EditState& state;
  // Returns once no list sort reads the tables any more; empty where no sort runs.
  std::function<void()> waitUntilSortReady;
};

}  // namespace korvane
