#include "editing/add_spouse.h"

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

// The first present family of the person in which the person's partner is missing.
Mrin FamilyWithoutPartner(const Store& store, Rin rin) {
  for (const Mrin mrin : store.PersonRecord(rin).fams) {
    if (!FamilyExists(store, mrin)) continue;
    const Family& family = store.familyTable[mrin];
    if ((family.husband == rin && family.wife == 0) ||
        (family.wife == rin && family.husband == 0)) {
      return mrin;
    }
  }
  return 0;
}

// The man is husband, the woman wife.
void SetCouple(Store& store, Mrin mrin, Rin rin, bool rinIsMan, Rin partner) {
  Family& family = store.familyTable[mrin];
  family.husband = rinIsMan ? rin : partner;
  family.wife = rinIsMan ? partner : rin;
  family.flags |= PresentFlag | ChangedFlag | HasHusbandFlag | HasWifeFlag;
}

// A marriage typed into the dialog of the new partner belongs to the family the partner
// joins: it moves there, and the family the dialog made for it goes again.
void FoldDialogMarriage(Store& store, Rin partner, Mrin into) {
  const Mrin made = store.personTable[partner].fams.At(0);
  if (made == into) return;
  const Family typed = store.FamilyRecord(made);
  Family& family = store.familyTable[into];
  if (typed.marriageDate.bits != 0) {
    family.marriageDate = typed.marriageDate;
    family.flags |= (typed.flags & HasMarriageDateFlag) | ChangedFlag;
  }
  if (typed.marriagePlace != nullptr && *typed.marriagePlace != 0) {
    family.marriagePlace = typed.marriagePlace;
    family.flags |= HasMarriagePlaceFlag | ChangedFlag;
  }
  editing::UnlinkFamily(store, made);
  editing::DiscardFamily(store, made);
}

}  // namespace

Rin AddSpouse(EditSession& session, Rin rin, Rin spouse) {
  if (spouse == 0) return 0;
  editing::BeginChange(session);
  Store& store = session.store;
  Diagnostics& diagnostics = session.diagnostics;
  if (!PersonExists(store, rin)) return diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
  if (!editing::AcceptOtherPerson(session, rin, spouse)) return 0;
  const bool man = IsMale(store.personTable[rin].sex);
  if (!man && !IsFemale(store.personTable[rin].sex)) {
    return diagnostics.ErrorBox("Person [%d] muss männlich oder weiblich sein", rin);
  }
  if (man && !IsFemale(store.personTable[spouse].sex)) {
    return diagnostics.ErrorBox("Person [%d] muss weiblich sein", spouse);
  }
  if (!man && !IsMale(store.personTable[spouse].sex)) {
    return diagnostics.ErrorBox("Person [%d] muss männlich sein", spouse);
  }
  Mrin mrin = FamilyWithoutPartner(store, rin);
  if (mrin != 0 && editing::ParentJoinMakesCycle(store, spouse, mrin)) {
    return editing::RefuseCycle(session, spouse);
  }

  if (mrin == 0) {
    mrin = editing::CreateFamily(store);
    ListAppend(store.personTable[rin].fams, mrin);
    store.personTable[rin].flags |= ChangedFlag;
    diagnostics.LogAppend("Neue FAMS mrin %d für ", mrin);
    LogPersonDescription(diagnostics, store, rin);
  }
  SetCouple(store, mrin, rin, man, spouse);
  ListAppend(store.personTable[spouse].fams, mrin);
  store.personTable[spouse].flags |= ChangedFlag;
  diagnostics.LogAppend("Ehefrau hinzugefügt zu rin %d mrin %d\n", rin, mrin);
  LogPersonDescription(diagnostics, store, spouse);
  return spouse;
}

bool AddNewSpouse(EditSession& session, Rin rin, Mrin mrin) {
  editing::BeginChange(session);
  Store& store = session.store;
  Diagnostics& diagnostics = session.diagnostics;
  if (!PersonExists(store, rin)) return diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
  const bool man = IsMale(store.personTable[rin].sex);
  if (!man && !IsFemale(store.personTable[rin].sex)) {
    return diagnostics.ErrorBox("Person [%d] muss männlich oder weiblich sein", rin);
  }
  // A family given by a drawing must be one of the person's that lacks the partner.
  if (mrin != 0 &&
      (!FamilyExists(store, mrin) || store.familyTable[mrin].husband != (man ? rin : 0) ||
       store.familyTable[mrin].wife != (man ? 0 : rin))) {
    mrin = 0;
  }
  if (mrin == 0) mrin = FamilyWithoutPartner(store, rin);

  const Rin partner = editing::CreatePerson(store);
  store.personTable[partner].sex = man ? 'F' : 'M';
  SetDialogTitle(session, "EHEPARTNER HINZUFÜGEN ZU:", rin);
  if (!EditPersonInDialog(session, partner)) {
    editing::DiscardPerson(store, partner);
    return false;
  }

  if (mrin != 0) {
    if (!store.personTable[partner].fams.Empty()) FoldDialogMarriage(store, partner, mrin);
    editing::AppendOnce(store.personTable[partner].fams, mrin);
  } else {
    if (!store.personTable[partner].fams.Empty()) {
      mrin = store.personTable[partner].fams.At(0);
    } else {
      mrin = editing::CreateFamily(store);
      ListAppend(store.personTable[partner].fams, mrin);
      diagnostics.LogAppend("Neue FAMS mrin %d für ", mrin);
      LogPersonDescription(diagnostics, store, rin);
    }
    ListAppend(store.personTable[rin].fams, mrin);
    store.personTable[rin].flags |= ChangedFlag;
  }
  SetCouple(store, mrin, rin, man, partner);
  store.personTable[partner].flags |= PresentFlag | ChangedFlag;
  diagnostics.LogAppend("Neue Ehefrau für rin=%d, mrin=%d\n", rin, mrin);
  LogPersonDescription(diagnostics, store, partner);
  return true;
}

}  // namespace korvane
