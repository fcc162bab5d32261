#include "editing/add_parent.h"

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

// What tells adding a father from adding a mother.
struct ParentRole {
  bool father;
  char sex;
  const char* wrongSex;
  const char* otherParentQuestion;
  const char* addedLog;
  const char* newTitle;
  const char* newLog;
};

constexpr ParentRole kFather{true,
                             'M',
                             "Person [%d] muss männlich sein",
                             "mit %s %s [%d] als Mutter?",
                             "Vater hinzugefügt zu rin %d, mrin %d\n",
                             "VATER HINZUFÜGEN ZU:",
                             "Neuer Vater für rin=%d, mrin=%d\n"};
constexpr ParentRole kMother{false,
                             'F',
                             "Person [%d] muss weiblich sein",
                             "mit %s %s [%d] als Vater?",
                             "Mutter hinzugefügt zu rin %d, mrin %d\n",
                             "MUTTER HINZUFÜGEN ZU:",
                             "Neue Mutter für rin=%d, mrin=%d\n"};

Rin& Slot(Family& family, const ParentRole& role) {
  return role.father ? family.husband : family.wife;
}
Rin& OtherSlot(Family& family, const ParentRole& role) {
  return role.father ? family.wife : family.husband;
}
std::uint32_t SlotFlag(const ParentRole& role) {
  return role.father ? HasHusbandFlag : HasWifeFlag;
}

bool HasRoleSex(char sex, const ParentRole& role) {
  return role.father ? IsMale(sex) : IsFemale(sex);
}

// The child's first parent family that lacks this parent and that the parent may join.
Mrin FamilyWithoutParent(Store& store, Rin child, Rin parent, const ParentRole& role) {
  for (const Mrin mrin : store.personTable[child].famc) {
    if (!FamilyExists(store, mrin) || Slot(store.familyTable[mrin], role) != 0) continue;
    if (parent == 0 || !editing::ParentJoinMakesCycle(store, parent, mrin)) return mrin;
  }
  return 0;
}

// A new parent family of the child, logged.
Mrin NewParentFamily(EditSession& session, Rin child) {
  Store& store = session.store;
  const Mrin mrin = editing::CreateFamily(store);
  ListAppend(store.familyTable[mrin].children, child);
  store.familyTable[mrin].flags |= HasChildrenFlag;
  ListAppend(store.personTable[child].famc, mrin);
  session.diagnostics.LogAppend("Neue FAMC mrin %d für ", mrin);
  LogPersonDescription(session.diagnostics, store, child);
  return mrin;
}

bool IsParentAlready(const Store& store, Rin child, Rin parent) {
  for (const Mrin mrin : store.personTable[child].famc) {
    const Family& family = store.FamilyRecord(mrin);
    if (family.husband == parent || family.wife == parent) return true;
  }
  return false;
}

Rin AddParent(EditSession& session, Rin child, Rin parent, const ParentRole& role) {
  editing::BeginChange(session);
  Store& store = session.store;
  Diagnostics& diagnostics = session.diagnostics;
  if (!PersonExists(store, child)) return diagnostics.ErrorBox("Person [%d] gibt es nicht", child);
  if (!editing::AcceptOtherPerson(session, child, parent)) return 0;
  if (!HasRoleSex(store.personTable[parent].sex, role)) {
    return diagnostics.ErrorBox(role.wrongSex, parent);
  }
  if (IsParentAlready(store, child, parent)) {
    return diagnostics.ErrorBox("Person [%d] ist schon Elternteil von Person [%d]", parent, child);
  }
  if (editing::IsDescendantOrSelf(store, {child}, parent)) {
    return editing::RefuseCycle(session, parent);
  }

  // One of the parent's own families, when the user names its other parent.
  const LinkList families = store.personTable[parent].fams;
  for (const Mrin mrin : families) {
    if (!FamilyExists(store, mrin) || Slot(store.familyTable[mrin], role) != parent) continue;
    if (editing::ChildJoinMakesCycle(store, child, mrin)) continue;
    const Rin other = OtherSlot(store.familyTable[mrin], role);
    const Person& o = store.PersonRecord(other);
    const std::string question =
        editing::Format(role.otherParentQuestion, editing::NameText(o.givenNames),
                        editing::NameText(o.surname), other);
    if (!editing::Ask(session, question, "ELTERN HINZUFÜGEN")) continue;
    ListAppend(store.personTable[child].famc, mrin);
    store.personTable[child].flags |= ChangedFlag;
    ListAppend(store.familyTable[mrin].children, child);
    store.familyTable[mrin].flags |= ChangedFlag | HasChildrenFlag;
    diagnostics.LogAppend(role.addedLog, child, mrin);
    LogPersonDescription(diagnostics, store, parent);
    return parent;
  }

  Mrin mrin = FamilyWithoutParent(store, child, parent, role);
  if (mrin == 0) mrin = NewParentFamily(session, child);
  ListAppend(store.personTable[parent].fams, mrin);
  store.personTable[parent].flags |= ChangedFlag;
  store.personTable[child].flags |= ChangedFlag;
  Slot(store.familyTable[mrin], role) = parent;
  store.familyTable[mrin].flags |= ChangedFlag | SlotFlag(role);
  diagnostics.LogAppend(role.addedLog, child, mrin);
  LogPersonDescription(diagnostics, store, parent);
  return parent;
}

Rin AddNewParent(EditSession& session, Rin child, const ParentRole& role) {
  editing::BeginChange(session);
  Store& store = session.store;
  if (!PersonExists(store, child)) {
    return session.diagnostics.ErrorBox("Person [%d] gibt es nicht", child);
  }
  const Rin parent = editing::CreatePerson(store);
  store.personTable[parent].sex = role.sex;
  if (role.father) {
    const char* surname = store.personTable[child].surname;
    store.personTable[parent].surname = surname;
    if (surname != nullptr && *surname != 0) store.personTable[parent].flags |= HasSurnameFlag;
  }
  SetDialogTitle(session, role.newTitle, child);
  if (!EditPersonInDialog(session, parent)) {
    editing::DiscardPerson(store, parent);
    return 0;
  }

  Mrin mrin = 0;
  if (!store.personTable[parent].fams.Empty()) {
    // The dialog made a family because a marriage was entered.
    mrin = store.personTable[parent].fams.At(0);
    editing::AppendOnce(store.personTable[child].famc, mrin);
  } else {
    mrin = FamilyWithoutParent(store, child, 0, role);
    if (mrin == 0) {
      mrin = editing::CreateFamily(store);
      ListAppend(store.personTable[child].famc, mrin);
      session.diagnostics.LogAppend("Neue FAMC mrin %d für ", mrin);
      LogPersonDescription(session.diagnostics, store, child);
    }
  }
  Family& family = store.familyTable[mrin];
  family.flags |= PresentFlag | ChangedFlag | SlotFlag(role) | HasChildrenFlag;
  Slot(family, role) = parent;
  // A sex changed in the dialog may have put the new person in the other place.
  if (OtherSlot(family, role) == parent) OtherSlot(family, role) = 0;
  editing::AppendOnce(family.children, child);
  store.personTable[child].flags |= ChangedFlag;
  editing::AppendOnce(store.personTable[parent].fams, mrin);
  store.personTable[parent].flags |= PresentFlag | ChangedFlag;
  session.diagnostics.LogAppend(role.newLog, child, mrin);
  LogPersonDescription(session.diagnostics, store, parent);
  return parent;
}

}  // namespace

Rin AddFather(EditSession& session, Rin child, Rin father) {
  return AddParent(session, child, father, kFather);
}
Rin AddMother(EditSession& session, Rin child, Rin mother) {
  return AddParent(session, child, mother, kMother);
}
Rin AddNewFather(EditSession& session, Rin child) { return AddNewParent(session, child, kFather); }
Rin AddNewMother(EditSession& session, Rin child) { return AddNewParent(session, child, kMother); }

}  // namespace korvane
