#include "gedcom/link_check.h"

#include "store/accessors.h"
#include "store/sex.h"

// Every condition here is one under which the link repair reports and changes something;
// the two must stay in step.
namespace korvane {
namespace {

bool SpouseFamiliesNeedRepair(const Store& store, Rin rin, const Person& person) {
  Mrin previous = 0;
  for (const Mrin m : person.fams) {
    if (!FamilyExists(store, m) || m == previous) return true;
    const Family& family = store.familyTable[m];
    if (family.husband != rin && family.wife != rin) return true;
    previous = m;
  }
  return false;
}

bool ParentFamiliesNeedRepair(const Store& store, Rin rin, const Person& person,
                              const MissingParents& missingParents) {
  Mrin previous = 0;
  for (const Mrin m : person.famc) {
    if (!FamilyExists(store, m) || m == previous) return true;
    if (!ListContains(store.familyTable[m].children, rin) || missingParents[m] != 0) return true;
    previous = m;
  }
  return false;
}

bool PartnerNeedsRepair(const Store& store, Mrin mrin, Rin partner, char sex) {
  if (!PersonExists(store, partner)) return true;
  const Person& person = store.personTable[partner];
  return NormalizedSex(person.sex) != sex || !ListContains(person.fams, mrin);
}

bool ChildrenNeedRepair(const Store& store, Mrin mrin, const Family& family) {
  Rin previous = 0;
  for (const Rin c : family.children) {
    if (!PersonExists(store, c) || c == previous) return true;
    if (!ListContains(store.personTable[c].famc, mrin)) return true;
    previous = c;
  }
  return false;
}

// A deleted record still named by a present one.
bool NamedBackByPerson(const Store& store, Rin rin, LinkList Person::*list, Mrin mrin) {
  return PersonExists(store, rin) && ListContains(store.personTable[rin].*list, mrin);
}

// Long lists are left to the full check rather than compared entry by entry.
bool MayHoldTwice(const LinkList& list) {
  constexpr int kCompared = 16;
  if (list.Count() > kCompared) return true;
  for (int i = 1; i < list.Count(); ++i) {
    for (int j = 0; j < i; ++j) {
      if (list.At(i) == list.At(j)) return true;
    }
  }
  return false;
}

}  // namespace

bool NamesMissingParent(const Store& store, Mrin mrin) {
  const Family& family = store.familyTable[mrin];
  for (const Rin parent : {family.husband, family.wife}) {
    if (parent != 0 && !PersonExists(store, parent)) return true;
  }
  return false;
}

bool PersonLinksNeedRepair(const Store& store, Rin rin, const MissingParents& missingParents) {
  if (rin < 1 || rin > store.PersonCount()) return false;
  const Person& person = store.personTable[rin];
  if (PersonExists(store, rin)) {
    return SpouseFamiliesNeedRepair(store, rin, person) ||
           ParentFamiliesNeedRepair(store, rin, person, missingParents);
  }
  for (const LinkList* list : {&person.fams, &person.famc}) {
    for (const Mrin m : *list) {
      if (FamilyExists(store, m)) return true;
    }
  }
  return false;
}

bool FamilyLinksNeedRepair(const Store& store, Mrin mrin) {
  if (mrin < 1 || mrin > store.FamilyCount()) return false;
  const Family& family = store.familyTable[mrin];
  const Rin h = family.husband;
  const Rin w = family.wife;
  if (!FamilyExists(store, mrin)) {
    if (NamedBackByPerson(store, h, &Person::fams, mrin) ||
        NamedBackByPerson(store, w, &Person::fams, mrin)) {
      return true;
    }
    for (const Rin c : family.children) {
      if (NamedBackByPerson(store, c, &Person::famc, mrin)) return true;
    }
    return false;
  }
  // A person named as both partners fails one of the two sex checks.
  if (h != 0 && PartnerNeedsRepair(store, mrin, h, 'M')) return true;
  if (h == 0 && w == 0 && family.children.Count() < 2) return true;
  if (w != 0 && PartnerNeedsRepair(store, mrin, w, 'F')) return true;
  return ChildrenNeedRepair(store, mrin, family);
}

bool PersonLinksConfirmed(const Store& store, Rin rin, LinkTally& tally) {
  const Person& person = store.personTable[rin];
  if (!PersonExists(store, rin)) {
    for (const LinkList* list : {&person.fams, &person.famc}) {
      for (const Mrin m : *list) {
        if (FamilyExists(store, m)) return false;
      }
    }
    return true;
  }
  if (MayHoldTwice(person.fams) || MayHoldTwice(person.famc)) return false;
  for (const Mrin m : person.fams) {
    if (!FamilyExists(store, m)) return false;
    const Family& family = store.familyTable[m];
    const char sex = family.husband == rin ? 'M' : family.wife == rin ? 'F' : 0;
    if (sex == 0 || NormalizedSex(person.sex) != sex) return false;
  }
  for (const Mrin m : person.famc) {
    if (!FamilyExists(store, m) || !ListContains(store.familyTable[m].children, rin)) {
      return false;
    }
  }
  tally.partners += static_cast<std::uint64_t>(person.fams.Count());
  tally.children += static_cast<std::uint64_t>(person.famc.Count());
  return true;
}

bool FamilyLinksCounted(const Store& store, Mrin mrin, LinkTally& tally) {
  if (!FamilyExists(store, mrin)) return true;
  const Family& family = store.familyTable[mrin];
  if (family.husband == 0 && family.wife == 0 && family.children.Count() < 2) return false;
  tally.partners += (family.husband != 0 ? 1u : 0u) + (family.wife != 0 ? 1u : 0u);
  tally.children += static_cast<std::uint64_t>(family.children.Count());
  return true;
}

}  // namespace korvane
