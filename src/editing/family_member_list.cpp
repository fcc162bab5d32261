#include "editing/family_member_list.h"

#include <array>
#include <optional>
#include <string>

#include "editing/add_child.h"
#include "editing/delete_person.h"
#include "editing/dialog_title.h"
#include "editing/dispatch_edit_command.h"
#include "editing/person_dialog.h"
#include "editing/record_edits.h"
#include "editing/separate.h"
#include "store/accessors.h"

namespace korvane {
namespace {

constexpr std::array<MemberMenuEntry, 4> kMenuEntries = {{
    {kEditMemberCommand, "&Bearbeiten"},
    {kOtherParentsCommand, "&Andere Eltern"},
    {kSeparateMemberCommand, "&Trennen"},
    {kDeleteMemberCommand, "&Löschen"},
}};

bool IsEmptyLine(Rin item) { return item <= 0; }

// The person dialog for a child of the list, titled already. A line can outlive its
// person (deleted from another view), and the dialog must not bring it back.
bool EditMember(EditSession& session, Rin rin) {
  if (!PersonExists(session.store, rin)) {
    session.diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
    return false;
  }
  return EditPersonInDialog(session, rin);
}

}  // namespace

std::span<const MemberMenuEntry> MemberMenuEntries() { return kMenuEntries; }

FamilyMemberList::FamilyMemberList(EditSession& session, Rin person)
    : session_(session), person_(person) {}

Mrin FamilyMemberList::ShownFamily() const {
  return FamsAt(session_.store.PersonRecord(person_), session_.state.currentFamilyIndex);
}

MemberListResult FamilyMemberList::LeftClick(Rin item) {
  MemberListResult result;
  if (person_ < 1) return result;
  EditState& state = session_.state;
  if (IsEmptyLine(item)) {
    result.rebuildPersonList = AddNewChildren(session_, person_, ShownFamily());
    result.showFamilyView = true;
  } else if (item == state.currentRin) {
    const int families = session_.store.PersonRecord(person_).fams.Count();
    if (families >= 2) {
      state.currentFamilyIndex = (state.currentFamilyIndex + 1) % families;
      result.showFamilyView = true;
    }
  } else if (item <= session_.store.PersonCount()) {
    state.previousRin = state.currentRin;
    state.currentRin = item;
    result.showFamilyView = true;
  }
  return result;
}

MemberListResult FamilyMemberList::RightClick(Rin item) {
  MemberListResult result;
  if (person_ < 1) return result;
  if (!IsEmptyLine(item)) {
    result.showContextMenu = true;
    return result;
  }
  SetDialogTitle(session_, "KIND HINZUFÜGEN ZU:", person_);
  const std::optional<std::string> text =
      session_.dialogs.AskRin(session_.state.pendingDialogTitle);
  if (!text) return result;
  const Rin child = TypedNumber(*text);
  result.rebuildPersonList = child != 0 ? AddChild(session_, person_, child) != 0
                                        : AddNewChildren(session_, person_, ShownFamily());
  result.showFamilyView = true;
  return result;
}

MemberListResult FamilyMemberList::ContextCommand(int command, Rin item) {
  MemberListResult result;
  if (IsEmptyLine(item)) return result;
  switch (command) {
    case kEditMemberCommand:
      SetDialogTitle(session_, "PERSON BEARBEITEN:", item);
      if (EditMember(session_, item)) {
        result.showFamilyView = true;
        result.rebuildPersonList = true;
      }
      break;
    case kSeparateMemberCommand:
      result.removeItem = SeparateChild(session_, item);
      break;
    case kDeleteMemberCommand:
      result.removeItem = DeletePerson(session_, item);
      result.rebuildPersonList = result.removeItem;
      break;
    case kOtherParentsCommand: {
      if (person_ < 1) break;
      SetDialogTitle(session_, "ELTERN ZUORDNEN", person_);
      const std::optional<std::string> text =
          session_.dialogs.AskMrin(session_.state.pendingDialogTitle);
      const Mrin mrin = text ? TypedNumber(*text) : 0;
      if (mrin != 0 && AssignParents(session_, item, mrin)) result.showFamilyView = true;
      break;
    }
    default:
      break;
  }
  return result;
}

}  // namespace korvane
