#include "editing/delete_person.h"

#include <string>

#include "editing/log_person.h"
#include "editing/record_edits.h"
#include "store/accessors.h"
#include "store/flags.h"
#include "store/link_list.h"

namespace korvane {
namespace {

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

bool ConfirmDeletion(Ui& ui, const Person& person, Rin rin) {
  const std::string question = std::string("Soll ") + OrEmpty(person.givenNames) + " " +
                               OrEmpty(person.surname) + " [" + std::to_string(rin) +
                               "] \r\ngelöscht werden?";
  return ui.MessageBox(question, "PERSON LÖSCHEN", MessageButtons::YesNo, MessageIcon::Question) ==
         MessageAnswer::Yes;
}

// The person leaves the family as husband or wife; a family that has neither any more is
// deleted.
void LeaveAsSpouse(Family& family, Rin rin) {
  if (family.husband == rin) {
    family.husband = 0;
    if (family.wife == 0) family.flags = 0;
  } else if (family.wife == rin) {
    family.wife = 0;
    if (family.husband == 0) family.flags = 0;
  }
}

}  // namespace

bool DeletePerson(Store& store, Diagnostics& diagnostics, Ui& ui, Rin rin) {
  if (!PersonExists(store, rin)) return false;
  if (!ConfirmDeletion(ui, store.personTable[rin], rin)) return false;

  // The lists are walked on copies: a doubled or self-referencing link must not let a
  // removal shift entries under the loop.
  const Person& person = store.personTable[rin];
  const LinkList parentFamilies = person.famc;
  const LinkList spouseFamilies = person.fams;
  for (const Mrin mrin : parentFamilies) {
    if (mrin < 1 || mrin > store.FamilyCount()) continue;
    editing::RemoveEveryLink(store.familyTable[mrin].children, rin);
    if (store.familyTable[mrin].flags & PresentFlag) store.familyTable[mrin].flags |= ChangedFlag;
  }
  for (const Mrin mrin : spouseFamilies) {
    if (mrin < 1 || mrin > store.FamilyCount()) continue;
    Family& family = store.familyTable[mrin];
    const bool wasPresent = (family.flags & PresentFlag) != 0;
    LeaveAsSpouse(family, rin);
    if (family.flags & PresentFlag) {
      family.flags |= ChangedFlag;
      if (const Rin partner = family.husband != 0 ? family.husband : family.wife;
          PersonExists(store, partner)) {
        store.personTable[partner].flags |= ChangedFlag;
      }
      continue;
    }
    if (wasPresent) {
      for (const Rin child : family.children) {
        if (PersonExists(store, child)) store.personTable[child].flags |= ChangedFlag;
      }
    }
    editing::UnlinkFamily(store, mrin);
  }
  // Described before its flag word goes: the description reads the presence bits, and
  // the log should show the person as it was.
  const std::string description = DescribePerson(diagnostics, store, rin);
  store.personTable[rin].flags = 0;

  diagnostics.LogAppend("Person gelöscht\n");
  if (!description.empty()) diagnostics.LogAppend("%s", description.c_str());
  return true;
}

bool DeletePerson(EditSession& session, Rin rin) {
  editing::BeginChange(session);
  const bool wasSelected = PersonExists(session.store, rin) &&
                           (session.store.personTable[rin].flags & SelectedFlag) != 0;
  if (!DeletePerson(session.store, session.diagnostics, session.ui, rin)) return false;
  if (wasSelected) --session.state.selectedCount;
  return true;
}

}  // namespace korvane
