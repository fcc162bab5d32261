#include "editing/record_edits.h"

#include <cstdarg>

#include "store/accessors.h"
#include "store/flags.h"
#include "store/sex.h"

namespace korvane::editing {

void BeginChange(EditSession& session) {
  if (session.waitUntilSortReady) session.waitUntilSortReady();
}

std::string Format(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args);
  va_end(args);
  return text;
}

bool Ask(EditSession& session, const std::string& text, std::string_view title) {
  return session.ui.MessageBox(text, title, MessageButtons::YesNo, MessageIcon::Question) ==
         MessageAnswer::Yes;
}

Rin CreatePerson(Store& store) {
  const Rin rin = store.AddPerson();
  store.personTable[rin].flags = 0;
  return rin;
}

Mrin CreateFamily(Store& store) { return store.AddFamily(); }

void DiscardPerson(Store& store, Rin rin) {
  if (rin < 1 || rin > store.PersonCount()) return;
  if (rin == store.PersonCount()) {
    store.personTable.pop_back();
  } else {
    store.personTable[rin] = Person{};
  }
}

void DiscardFamily(Store& store, Mrin mrin) {
  if (mrin < 1 || mrin > store.FamilyCount()) return;
  if (mrin == store.FamilyCount()) {
    store.familyTable.pop_back();
  } else {
    store.familyTable[mrin] = Family{};
  }
}

void RemoveEveryLink(LinkList& list, std::int32_t value) {
  while (ListContains(list, value)) ListRemove(list, value);
}

void AppendOnce(LinkList& list, std::int32_t value) {
  if (!ListContains(list, value)) ListAppend(list, value);
}

Rin PartnerIn(const Store& store, Mrin mrin, Rin rin) {
  const Family& family = store.FamilyRecord(mrin);
  if (family.husband == rin) return family.wife;
  if (family.wife == rin) return family.husband;
  return IsFemale(store.PersonRecord(rin).sex) ? family.husband : family.wife;
}

void UnlinkFamily(Store& store, Mrin mrin) {
  if (mrin < 1 || mrin > store.FamilyCount()) return;
  // Copies: the person lists change while the family's own lists are walked.
  const Family family = store.familyTable[mrin];
  for (const Rin spouse : {family.husband, family.wife}) {
    if (spouse >= 1 && spouse <= store.PersonCount()) {
      RemoveEveryLink(store.personTable[spouse].fams, mrin);
    }
  }
  for (const Rin child : family.children) {
    if (child >= 1 && child <= store.PersonCount()) {
      RemoveEveryLink(store.personTable[child].famc, mrin);
    }
  }
  Family& record = store.familyTable[mrin];
  record.children = LinkList();
  record.flags = 0;
}

bool StillAFamily(const Family& family) {
  const int parents = (family.husband != 0 ? 1 : 0) + (family.wife != 0 ? 1 : 0);
  const int children = family.children.Count();
  return (parents >= 1 && children >= 1) || parents == 2 || children >= 2;
}

bool AcceptOtherPerson(EditSession& session, Rin subject, Rin other) {
  if (!PersonExists(session.store, other)) {
    return session.diagnostics.ErrorBox("Person [%d] gibt es nicht", other);
  }
  if (other == subject) {
    return session.diagnostics.ErrorBox("Person [%d] kann nicht mit sich selbst verbunden werden",
                                        other);
  }
  return true;
}

bool AcceptFamily(EditSession& session, Mrin mrin) {
  if (!FamilyExists(session.store, mrin)) {
    return session.diagnostics.ErrorBox("Familie [%d] gibt es nicht", mrin);
  }
  return true;
}

bool RefuseCycle(EditSession& session, Rin rin) {
  return session.diagnostics.ErrorBox("Person [%d] wäre dann ihr eigener Vorfahr", rin);
}

}  // namespace korvane::editing
