#include "editing/add_child.h"

#include "editing/dialog_title.h"
#include "editing/kinship.h"
#include "editing/log_person.h"
#include "editing/person_dialog.h"
#include "editing/record_edits.h"
#include "store/accessors.h"
#include "store/flags.h"
#include "store/sex.h"

namespace korvane {
namespace {

// A new family with the person as its only parent, logged.
Mrin NewFamilyOf(EditSession& session, Rin parent) {
  Store& store = session.store;
  const Mrin mrin = editing::CreateFamily(store);
  ListAppend(store.personTable[parent].fams, mrin);
  Family& family = store.familyTable[mrin];
  if (IsFemale(store.personTable[parent].sex)) {
    family.wife = parent;
    family.flags |= HasWifeFlag;
  } else {
    family.husband = parent;
    family.flags |= HasHusbandFlag;
  }
  session.diagnostics.LogAppend("Neue FAMS mrin %d für ", mrin);
  LogPersonDescription(session.diagnostics, store, parent);
  return mrin;
}

void LinkChild(Store& store, Mrin mrin, Rin child) {
  ListAppend(store.familyTable[mrin].children, child);
  store.familyTable[mrin].flags |= HasChildrenFlag | ChangedFlag;
  ListAppend(store.personTable[child].famc, mrin);
  store.personTable[child].flags |= ChangedFlag;
}

void AskSexWhenNone(EditSession& session, Rin rin, const char* question) {
  char& sex = session.store.personTable[rin].sex;
  if (sex != 0) return;
  sex = editing::Ask(session, question, "NEU HINZUFÜGEN") ? 'M' : 'F';
}

}  // namespace

Rin AddChild(EditSession& session, Rin rin, Rin child) {
  editing::BeginChange(session);
  Store& store = session.store;
  if (!PersonExists(store, rin)) {
    return session.diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
  }
  if (!editing::AcceptOtherPerson(session, rin, child)) return 0;
  const LinkList& fams = store.personTable[rin].fams;
  const int index = session.state.currentFamilyIndex;
  Mrin mrin = fams.Empty() ? 0 : fams.At(index >= 0 && index < fams.Count() ? index : 0);
  if (!FamilyExists(store, mrin)) mrin = 0;
  if (mrin != 0 && ListContains(store.familyTable[mrin].children, child)) {
    return session.diagnostics.ErrorBox("Person [%d] ist schon Kind der Familie [%d]", child, mrin);
  }
  if (mrin != 0 ? editing::ChildJoinMakesCycle(store, child, mrin)
                : editing::IsDescendantOrSelf(store, {child}, rin)) {
    return editing::RefuseCycle(session, child);
  }

  if (mrin == 0) mrin = NewFamilyOf(session, rin);
  LinkChild(store, mrin, child);
  AskSexWhenNone(session, child, "Ist die Person männlich?");
  store.personTable[rin].flags |= ChangedFlag;
  session.diagnostics.LogAppend("Kind hinzugefügt zu mrin %d\n", mrin);
  LogPersonDescription(session.diagnostics, store, child);
  return child;
}

bool AddNewChildren(EditSession& session, Rin rin, Mrin mrin) {
  editing::BeginChange(session);
  Store& store = session.store;
  if (!PersonExists(store, rin)) {
    return session.diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
  }
  const char sex = store.personTable[rin].sex;
  if (!IsMale(sex) && !IsFemale(sex)) {
    return session.diagnostics.ErrorBox("Person [%d] muss männlich oder weiblich sein", rin);
  }
  if (!FamilyExists(store, mrin)) mrin = 0;
  for (;;) {
    const Rin child = editing::CreatePerson(store);
    if (mrin != 0) {
      const Rin husband = store.familyTable[mrin].husband;
      const char* surname = store.PersonRecord(husband).surname;
      store.personTable[child].surname = surname;
      if (surname != nullptr && *surname != 0) store.personTable[child].flags |= HasSurnameFlag;
    }
    SetDialogTitle(session, "KIND HINZUFÜGEN ZU:", rin);
    if (!EditPersonInDialog(session, child)) {
      editing::DiscardPerson(store, child);
      return false;
    }
    // Without a family each child gets one of its own.
    const Mrin family = mrin != 0 ? mrin : NewFamilyOf(session, rin);
    LinkChild(store, family, child);
    AskSexWhenNone(session, child, "Ist diese Person männlich?");
    store.personTable[rin].flags |= ChangedFlag;
    store.personTable[child].flags |= PresentFlag;
    session.diagnostics.LogAppend("Neues Kind hinzugefügt zu mrin=%d\n", family);
    LogPersonDescription(session.diagnostics, store, child);
    if (!editing::Ask(session, "Weiteres Kind hinzufügen?", "NÄCHSTES KIND")) return true;
  }
}

bool AssignParents(EditSession& session, Rin child, Mrin mrin) {
  if (mrin == 0) return false;
  editing::BeginChange(session);
  Store& store = session.store;
  if (!PersonExists(store, child)) {
    return session.diagnostics.ErrorBox("Person [%d] gibt es nicht", child);
  }
  if (!editing::AcceptFamily(session, mrin)) return false;
  if (ListContains(store.personTable[child].famc, mrin)) return false;
  if (editing::ChildJoinMakesCycle(store, child, mrin)) {
    return editing::RefuseCycle(session, child);
  }

  const LinkList previous = store.personTable[child].famc;
  for (const Mrin old : previous) {
    if (old < 1 || old > store.FamilyCount()) continue;
    Family& family = store.familyTable[old];
    editing::RemoveEveryLink(family.children, child);
    if (!(family.flags & PresentFlag)) continue;
    family.flags |= ChangedFlag;
    if (family.husband == 0 && family.wife == 0 && family.children.Empty()) {
      editing::UnlinkFamily(store, old);
    }
  }
  store.personTable[child].famc = LinkList();
  LinkChild(store, mrin, child);
  return true;
}

}  // namespace korvane
