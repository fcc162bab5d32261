#include "editing/separate.h"

#include <string>

#include "editing/delete_family.h"
#include "editing/log_person.h"
#include "editing/record_edits.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane {
namespace {

using editing::NameText;

// "Vorname Nachname [12]" as the questions print a person.
std::string Named(const Store& store, const char* format, Rin rin) {
  const Person& person = store.PersonRecord(rin);
  return editing::Format(format, NameText(person.givenNames), NameText(person.surname), rin);
}

}  // namespace

bool SeparateSpouse(EditSession& session, Rin rin) {
  editing::BeginChange(session);
  Store& store = session.store;
  Diagnostics& diagnostics = session.diagnostics;
  if (!PersonExists(store, rin)) return diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
  const LinkList families = store.personTable[rin].fams;
  const Rin current = session.state.currentRin;
  int index = session.state.currentFamilyIndex;
  const bool inList = index >= 0 && index < families.Count();
  Rin spouse = inList ? editing::PartnerIn(store, families.At(index), rin) : 0;
  if (rin != current && spouse != current) {
    for (int i = 0; i < families.Count(); ++i) {
      if (current != 0 && editing::PartnerIn(store, families.At(i), rin) == current) {
        index = i;
        spouse = current;
        break;
      }
    }
  }

  if (spouse == 0) {
    if (index < 0 || index >= families.Count()) {
      const Person& person = store.personTable[rin];
      return diagnostics.ErrorBox("%s %s [%d] hat keinen Ehepartner", NameText(person.givenNames),
                                  NameText(person.surname), rin);
    }
    const Mrin mrin = families.At(index);
    for (const Rin child : store.FamilyRecord(mrin).children) {
      if (PersonExists(store, child)) store.personTable[child].flags |= ChangedFlag;
    }
    editing::RemoveEveryLink(store.personTable[rin].fams, mrin);
    editing::UnlinkFamily(store, mrin);
    store.personTable[rin].flags |= ChangedFlag;
    diagnostics.LogAppend("RIN %d getrennt, mrin %d gelöscht\n", rin, mrin);
    LogPersonDescription(diagnostics, store, rin);
    return false;
  }

  const std::string question = "Soll " + Named(store, "%s %s [%d] ", rin) +
                               "\r\nals Ehepartner von\r\n" + Named(store, "%s %s [%d] ", spouse) +
                               "\r\ngetrennt werden?";
  if (!editing::Ask(session, question, "EHEPARTNER TRENNEN")) return false;

  const Mrin mrin = families.At(index);
  editing::RemoveEveryLink(store.personTable[rin].fams, mrin);
  store.personTable[rin].flags |= ChangedFlag;
  if (PersonExists(store, spouse)) store.personTable[spouse].flags |= ChangedFlag;
  if (mrin >= 1 && mrin <= store.FamilyCount()) {
    Family& family = store.familyTable[mrin];
    if (family.husband == rin) {
      family.husband = 0;
      family.flags &= ~HasHusbandFlag;
    } else if (family.wife == rin) {
      family.wife = 0;
      family.flags &= ~HasWifeFlag;
    }
    family.flags |= ChangedFlag;
    if (family.children.Empty()) editing::UnlinkFamily(store, mrin);
  }
  diagnostics.LogAppend("Ehepartner getrennt von rin %d, mrin %d\n", rin, mrin);
  LogPersonDescription(diagnostics, store, spouse);
  return true;
}

bool SeparateChild(EditSession& session, Rin rin) {
  editing::BeginChange(session);
  Store& store = session.store;
  Diagnostics& diagnostics = session.diagnostics;
  if (!PersonExists(store, rin)) return diagnostics.ErrorBox("Person [%d] gibt es nicht", rin);
  const LinkList families = store.personTable[rin].famc;
  if (families.Empty()) {
    const Person& person = store.personTable[rin];
    return diagnostics.ErrorBox("%s %s [%d] hat keinen Eltern", NameText(person.givenNames),
                                NameText(person.surname), rin);
  }
  for (const Mrin mrin : families) {
    const Family& family = store.FamilyRecord(mrin);
    std::string question =
        Named(store, "Soll %s %s [%d] \r\nvon diesen Eltern getrennt werden?", rin) +
        editing::Format("\r\nMRIN:%d", mrin);
    if (family.husband != 0) question += Named(store, "\r\nVater: %s %s [%d]", family.husband);
    if (family.wife != 0) question += Named(store, "\r\nMutter: %s %s [%d]", family.wife);
    if (!editing::Ask(session, question, "KIND TRENNEN")) continue;

    editing::RemoveEveryLink(store.personTable[rin].famc, mrin);
    store.personTable[rin].flags |= ChangedFlag;
    if (mrin >= 1 && mrin <= store.FamilyCount()) {
      Family& parents = store.familyTable[mrin];
      editing::RemoveEveryLink(parents.children, rin);
      if (parents.flags & PresentFlag) {
        if (editing::StillAFamily(parents)) {
          parents.flags |= ChangedFlag;
        } else {
          DeleteFamily(session, mrin);
        }
      }
    }
    diagnostics.LogAppend("Kind getrennt von mrin %d\n", mrin);
    LogPersonDescription(diagnostics, store, rin);
    return true;
  }
  return false;
}

}  // namespace korvane
