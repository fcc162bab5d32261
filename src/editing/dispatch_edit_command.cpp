#include "editing/dispatch_edit_command.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "editing/add_child.h"
#include "editing/add_parent.h"
#include "editing/add_spouse.h"
#include "editing/delete_person.h"
#include "editing/dialog_title.h"
#include "editing/person_dialog.h"
#include "editing/record_edits.h"
#include "editing/separate.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane {
namespace {

// Tabs of the main window the commands switch to.
constexpr int kListTab = 0;
constexpr int kSelectionTab = 1;
constexpr int kHourglassTab = 5;

void SetSelected(EditSession& session, Rin rin, bool selected) {
  editing::BeginChange(session);
  std::uint32_t& flags = session.store.personTable[rin].flags;
  if (((flags & SelectedFlag) != 0) == selected) return;
  flags ^= SelectedFlag;
  session.state.selectedCount += selected ? 1 : -1;
}

void SelectEveryone(EditSession& session, bool selected) {
  for (Rin rin = 1; rin <= session.store.PersonCount(); ++rin) {
    if (session.store.personTable[rin].flags & PresentFlag) SetSelected(session, rin, selected);
  }
}

void NewPerson(EditSession& session, EditOutcome& outcome) {
  editing::BeginChange(session);
  Store& store = session.store;
  const Rin rin = editing::CreatePerson(store);
  SetDialogTitle(session, "NEUE PERSON HINZUFÜGEN:", rin);
  if (!EditPersonInDialog(session, rin)) {
    editing::DiscardPerson(store, rin);
    return;
  }
  if (store.personTable[rin].sex == 0) {
    store.personTable[rin].sex =
        editing::Ask(session, "Ist diese Person männlich?", "NEU HINZUFÜGEN") ? 'M' : 'F';
  }
  store.personTable[rin].flags |= PresentFlag;
  outcome.rebuildPersonList = true;
  if (store.PersonCount() == 1) {
    outcome.enableDataCommands = true;
    outcome.showTab = kHourglassTab;
  }
}

// The number dialog titled for the subject; none when cancelled.
std::optional<Rin> AskRin(EditSession& session, const char* prefix, Rin subject) {
  SetDialogTitle(session, prefix, subject);
  const std::optional<std::string> text = session.dialogs.AskRin(session.state.pendingDialogTitle);
  if (!text) return std::nullopt;
  return TypedNumber(*text);
}

// The spouse family the views show for the subject, 0 when the index is beyond its list.
Mrin ShownFamily(const EditSession& session, Rin subject) {
  const LinkList& fams = session.store.personTable[subject].fams;
  const int index = session.state.currentFamilyIndex;
  return index >= 0 && index < fams.Count() ? fams.At(index) : 0;
}

}  // namespace

Rin TypedNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  if (start < text.size() && text[start] == '+') ++start;
  std::int64_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (end == first) return 0;
  if (error == std::errc::result_out_of_range) {
    return *first == '-' ? std::numeric_limits<Rin>::min() : std::numeric_limits<Rin>::max();
  }
  if (value > std::numeric_limits<Rin>::max()) return std::numeric_limits<Rin>::max();
  if (value < std::numeric_limits<Rin>::min()) return std::numeric_limits<Rin>::min();
  return static_cast<Rin>(value);
}

EditOutcome DispatchEditCommand(EditSession& session, int command, Rin subject) {
  EditOutcome outcome;
  switch (command) {
    case kEditPersonCommand:
    case kSeparateSpouseCommand:
    case kSeparateChildCommand:
    case kNewPersonCommand:
    case kAddSpouseCommand:
    case kAddChildCommand:
    case kAddFatherCommand:
    case kAddMotherCommand:
    case kDeletePersonCommand:
    case kSelectPersonCommand:
    case kSelectAllCommand:
    case kUnselectPersonCommand:
    case kUnselectAllCommand:
      outcome.handled = true;
      break;
    default:
      return outcome;
  }
  if (command == kNewPersonCommand) {
    NewPerson(session, outcome);
    return outcome;
  }
  if (subject < 1) return outcome;
  if (!PersonExists(session.store, subject)) {
    session.diagnostics.ErrorBox("Person [%d] gibt es nicht", subject);
    return outcome;
  }

  switch (command) {
    case kEditPersonCommand:
      editing::BeginChange(session);
      SetDialogTitle(session, "PERSON BEARBEITEN:", subject);
      if (EditPersonInDialog(session, subject)) {
        outcome.rebuildPersonList = true;
      }
      break;
    case kSeparateSpouseCommand:
      SeparateSpouse(session, subject);
      break;
    case kSeparateChildCommand:
      SeparateChild(session, subject);
      break;
    case kAddSpouseCommand:
      if (const auto rin = AskRin(session, "EHEPARTNER HINZUFÜGEN ZU:", subject)) {
        if (*rin != 0 ? AddSpouse(session, subject, *rin) != 0
                      : AddNewSpouse(session, subject, 0)) {
          outcome.rebuildPersonList = true;
        }
      }
      break;
    case kAddChildCommand:
      if (const auto rin = AskRin(session, "KIND HINZUFÜGEN ZU:", subject)) {
        if (*rin != 0 ? AddChild(session, subject, *rin) != 0
                      : AddNewChildren(session, subject, ShownFamily(session, subject))) {
          outcome.rebuildPersonList = true;
        }
      }
      break;
    case kAddFatherCommand:
      if (const auto rin = AskRin(session, "VATER HINZUFÜGEN ZU:", subject)) {
        if ((*rin != 0 ? AddFather(session, subject, *rin) : AddNewFather(session, subject)) != 0) {
          outcome.rebuildPersonList = true;
        }
      }
      break;
    case kAddMotherCommand:
      if (const auto rin = AskRin(session, "MUTTER HINZUFÜGEN ZU:", subject)) {
        if ((*rin != 0 ? AddMother(session, subject, *rin) : AddNewMother(session, subject)) != 0) {
          outcome.rebuildPersonList = true;
        }
      }
      break;
    case kDeletePersonCommand:
      if (DeletePerson(session, subject)) {
        outcome.rebuildPersonList = true;
        outcome.personDeleted = true;
      }
      break;
    case kSelectPersonCommand:
    case kUnselectPersonCommand:
      SetSelected(session, subject, command == kSelectPersonCommand);
      outcome.showTab = kSelectionTab;
      break;
    case kSelectAllCommand:
      SelectEveryone(session, true);
      outcome.showTab = kSelectionTab;
      break;
    case kUnselectAllCommand:
      SelectEveryone(session, false);
      outcome.rebuildPersonList = true;
      outcome.showTab = kListTab;
      break;
    default:
      break;
  }
  return outcome;
}

}  // namespace korvane
