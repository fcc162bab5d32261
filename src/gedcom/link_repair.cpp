#include "gedcom/link_repair.h"

#include <algorithm>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gedcom/link_check.h"
#include "platform/parallel.h"
#include "store/accessors.h"
#include "store/flags.h"
#include "store/report_lines.h"
#include "store/sex.h"

namespace korvane {
namespace {

constexpr int kPersonLineMode = kLineRinFirst | kLineBirth | kLineDeath;

bool IsNameless(const Person& person) {
  return person.surname == nullptr && person.givenNames == nullptr;
}

void ReportNameless(Diagnostics& d, Rin rin) {
  d.ReportAppend("\r\n### Person %d hat keinen Namen", rin);
}

// Lists are walked with an index that rises after every entry, also after a removal, and
// the count is read again before each step: this is the order the messages come in.
class PersonRepair {
 public:
  PersonRepair(Store& store, Diagnostics& d, Rin rin)
      : store_(store), d_(d), rin_(rin), person_(store.personTable[rin]) {}

  int RepairPresent() {
    if (IsNameless(person_)) ReportNameless(d_, rin_);
    RepairSpouseFamilies();
    RepairParentFamilies();
    return count_;
  }

  int RepairDeleted() {
    for (int i = 0; i < person_.fams.Count();) {
      const Mrin m = person_.fams.At(i);
      if (!FamilyExists(store_, m)) {
        ++i;
        continue;
      }
      d_.ReportAppend("\r\n### Person %d gelöscht, aber FAMS %d ungelöscht", rin_, m);
      PersonLine();
      Family& family = store_.familyTable[m];
      if (family.husband == rin_) {
        family.husband = 0;
      } else if (family.wife == rin_) {
        family.wife = 0;
      }
      ListRemoveAt(person_.fams, i);  // the next entry moves into its place
      ++count_;
    }
    for (int i = 0; i < person_.famc.Count();) {
      const Mrin m = person_.famc.At(i);
      if (!FamilyExists(store_, m)) {
        ++i;
        continue;
      }
      d_.ReportAppend("\r\n### Person %d gelöscht, aber FAMC %d ungelöscht", rin_, m);
      PersonLine();
      ListRemove(store_.familyTable[m].children, rin_);
      ListRemoveAt(person_.famc, i);
      ++count_;
    }
    return count_;
  }

 private:
  void PersonLine() { AppendPersonLine(d_, store_, "\r\n", kPersonLineMode, rin_); }

  void Changed() { person_.flags |= ChangedFlag; }

  // Each entry is examined once: after a removal the entry that moved into its place is
  // the next one. The doubling test compares with the last entry that stayed (at first 0,
  // so that an entry 0 also counts as doubled).
  void RepairSpouseFamilies() {
    Mrin previous = 0;
    for (int i = 0; i < person_.fams.Count();) {
      const Mrin m = person_.fams.At(i);
      bool removed = false;
      if (!FamilyExists(store_, m)) {
        d_.ReportAppend("\r\n### Person %d hat gelöschte FAMS %d", rin_, m);
        PersonLine();
        ListRemoveAt(person_.fams, i);
        removed = true;
        Changed();
        ++count_;
      } else if (Family& family = store_.familyTable[m];
                 family.husband != rin_ && family.wife != rin_) {
        d_.ReportAppend("\r\n### Person %d hat falsche FAMS %d ", rin_, m);
        PersonLine();
        AppendFamilyLine(d_, store_, nullptr, m);
        if (IsMale(person_.sex) && family.husband == 0) {
          family.husband = rin_;
          family.flags |= HasHusbandFlag;
        } else if (IsFemale(person_.sex) && family.wife == 0) {
          family.wife = rin_;
          family.flags |= HasWifeFlag;
        } else {
          ListRemoveAt(person_.fams, i);
          removed = true;
        }
        Changed();
        family.flags |= ChangedFlag;
        ++count_;
      }
      if (m == previous) {
        d_.ReportAppend("\r\n### Person %d hat doppelte FAMS %d ", rin_, m);
        if (!removed) ListRemoveAt(person_.fams, i);
        removed = true;
        Changed();
        ++count_;
      }
      if (!removed) {
        previous = m;
        ++i;
      }
    }
  }

  void RepairParentFamilies() {
    Mrin previous = 0;
    for (int i = 0; i < person_.famc.Count();) {
      const Mrin m = person_.famc.At(i);
      if (!FamilyExists(store_, m)) {
        d_.ReportAppend("\r\n### Person %d hat gelöschte FAMC %d", rin_, m);
        PersonLine();
        ListRemoveAt(person_.famc, i);
        Changed();
        if (m >= 1 && m <= store_.FamilyCount()) ListRemove(store_.familyTable[m].children, rin_);
        ++count_;
        continue;  // no doubling test for it
      }
      Family& family = store_.familyTable[m];
      if (!ListContains(family.children, rin_)) {
        d_.ReportAppend("\r\n### Person %d (FAMC %d) als Kind hinzugefügt", rin_, m);
        PersonLine();
        ListAppend(family.children, rin_);
        family.flags |= ChangedFlag | HasChildrenFlag;
        ++count_;
      }
      DropMissingParent(family, m, family.husband, "\r\n### Person %d hat gelöschten Vater %d ");
      DropMissingParent(family, m, family.wife, "\r\n### Person %d hat gelöschte Mutter %d ");
      if (m == previous) {
        d_.ReportAppend("\r\n### Person %d hat doppelte FAMC %d ", rin_, m);
        PersonLine();
        ListRemoveAt(person_.famc, i);
        Changed();
        ++count_;
      } else {
        previous = m;
        ++i;
      }
    }
  }

  void DropMissingParent(Family& family, Mrin m, Rin& parent, const char* format) {
    const Rin old = parent;
    if (old == 0 || PersonExists(store_, old)) return;
    d_.ReportAppend(format, rin_, old);
    PersonLine();
    parent = 0;
    family.flags |= ChangedFlag;
    if (old >= 1 && old <= store_.PersonCount()) ListRemove(store_.personTable[old].fams, m);
    ++count_;
  }

  Store& store_;
  Diagnostics& d_;
  const Rin rin_;
  Person& person_;
  int count_ = 0;
};

std::string SexText(char sex) { return sex == 0 ? std::string() : std::string(1, sex); }

class FamilyRepair {
 public:
  FamilyRepair(Store& store, Diagnostics& d, Mrin mrin)
      : store_(store), d_(d), mrin_(mrin), family_(store.familyTable[mrin]) {}

  int RepairPresent() {
    const Rin h = family_.husband;
    const Rin w = family_.wife;
    if (h != 0) {
      if (h == w)
        d_.ReportAppend("\r\n### Fam %d hat gleiche Person %d als HUSB und WIFE ", mrin_, h);
      if (!PersonExists(store_, h)) {
        // Not counted, and the rest of the family waits for the next load.
        d_.ReportAppend("\r\n### Fam %d hat gelöschten HUSB %d ", mrin_, h);
        FamilyLine();
        family_.husband = 0;
        family_.flags |= ChangedFlag;
        return 0;
      }
      CheckPartner(h, 'M', "\r\n### Fam %d hat HUSB %d mit Sex '%s' ",
                   "\r\n### HUSB %d ohne FAMS %d ", false);
      if (w == 0) return RepairChildren();
    } else if (w == 0) {
      if (family_.children.Count() < 2) {
        d_.ReportAppend("\r\n### Leere FAM %d (gelöscht)", mrin_);
        family_.flags = 0;
        ++count_;
        LetChildGo();
        return count_;
      }
      return RepairChildren();
    }
    if (!PersonExists(store_, w)) {
      d_.ReportAppend("\r\n### Fam %d hat gelöschte WIFE %d ", mrin_, w);
      FamilyLine();
      family_.wife = 0;
      family_.flags |= ChangedFlag;
      return count_;
    }
    CheckPartner(w, 'F', "\r\n### Fam %d hat WIFE %d mit Sex '%s' ",
                 "\r\n### WIFE %d ohne FAMS %d ", true);
    return RepairChildren();
  }

  int RepairDeleted() {
    DropBackLink(family_.husband,
                 "\r\n### Fam %d gelöscht, aber referenziert durch ungelöschten HUSB %d ");
    DropBackLink(family_.wife,
                 "\r\n### Fam %d gelöscht, aber referenziert durch ungelöschte WIFE %d ");
    for (int i = 0; i < family_.children.Count(); ++i) {
      const Rin c = family_.children.At(i);
      if (!PersonExists(store_, c) || !ListContains(store_.personTable[c].famc, mrin_)) continue;
      d_.ReportAppend("\r\n### Fam %d gelöscht, aber referenziert durch ungelöschtes CHIL %d ",
                      mrin_, c);
      ListRemove(store_.personTable[c].famc, mrin_);
      store_.personTable[c].flags |= ChangedFlag;
      ++count_;
    }
    return count_;
  }

 private:
  void FamilyLine() { AppendFamilyLine(d_, store_, "\r\n", mrin_); }

  // A wrong sex is corrected but not counted; a missing FAMS back link is added and counted.
  void CheckPartner(Rin partner, char sex, const char* sexFormat, const char* famsFormat,
                    bool lineAfterSex) {
    Person& person = store_.personTable[partner];
    if (NormalizedSex(person.sex) != sex) {
      d_.ReportAppend(sexFormat, mrin_, partner, SexText(person.sex).c_str());
      if (!lineAfterSex) FamilyLine();
      person.sex = sex;
      if (lineAfterSex) FamilyLine();
      person.flags |= ChangedFlag;
    }
    if (!ListContains(person.fams, mrin_)) {
      d_.ReportAppend(famsFormat, partner, mrin_);
      FamilyLine();
      ListAppend(person.fams, mrin_);
      person.flags |= ChangedFlag;
      ++count_;
    }
  }

  // Each entry is examined once, as for the persons' lists.
  // The child of a family deleted as empty no longer names it: the persons were repaired
  // before the families, and would keep a link to nothing.
  void LetChildGo() {
    for (const Rin c : family_.children) {
      if (c < 1 || c > store_.PersonCount()) continue;
      LinkList& famc = store_.personTable[c].famc;
      // The record needs no rebuilding for it: the export leaves out links to families it
      // does not write.
      while (ListContains(famc, mrin_)) ListRemove(famc, mrin_);
    }
  }

  int RepairChildren() {
    Rin previous = 0;
    for (int i = 0; i < family_.children.Count();) {
      const Rin c = family_.children.At(i);
      bool removed = false;
      if (PersonExists(store_, c) && !ListContains(store_.personTable[c].famc, mrin_)) {
        d_.ReportAppend("\r\n### Kind %d ohne FAMC %d ", c, mrin_);
        FamilyLine();
        ListAppend(store_.personTable[c].famc, mrin_);
        store_.personTable[c].flags |= ChangedFlag;
        ++count_;
      }
      if (!PersonExists(store_, c)) {
        d_.ReportAppend("\r\n### Fam %d hat gelöscht CHIL %d ", mrin_, c);
        FamilyLine();
        ListRemoveAt(family_.children, i);
        removed = true;
        family_.flags |= ChangedFlag;
        ++count_;
      }
      if (c == previous) {
        d_.ReportAppend("\r\n### Fam %d hat doppelte CHIL %d ", mrin_, c);
        FamilyLine();
        if (!removed) ListRemoveAt(family_.children, i);
        removed = true;
        family_.flags |= ChangedFlag;
        ++count_;
      }
      if (!removed) {
        previous = c;
        ++i;
      }
    }
    return count_;
  }

  void DropBackLink(Rin partner, const char* format) {
    if (!PersonExists(store_, partner)) return;
    Person& person = store_.personTable[partner];
    if (!ListContains(person.fams, mrin_)) return;
    d_.ReportAppend(format, mrin_, partner);
    ListRemove(person.fams, mrin_);
    person.flags |= ChangedFlag;
    ++count_;
  }

  Store& store_;
  Diagnostics& d_;
  const Mrin mrin_;
  Family& family_;
  int count_ = 0;
};

// True when the persons confirm every link (see LinkTally); `visit(rin)` is called for
// each person on the way (for all of them when the answer is true).
template <typename Run, typename Visit>
bool AllLinksConfirmed(const Store& store, std::size_t threads, Run run, Visit visit) {
  std::vector<LinkTally> fromPersons(threads), fromFamilies(threads);
  std::vector<char> passed(threads);
  RunInParallel(threads, [&](std::size_t part) {
    bool pass = true;
    for (auto [rin, end] = run(part, store.PersonCount()); rin < end && pass; ++rin) {
      pass = PersonLinksConfirmed(store, rin, fromPersons[part]);
      visit(rin);
    }
    for (auto [m, end] = run(part, store.FamilyCount()); m < end && pass; ++m) {
      pass = FamilyLinksCounted(store, m, fromFamilies[part]);
    }
    passed[part] = pass;
  });
  LinkTally persons, families;
  for (std::size_t part = 0; part < threads; ++part) {
    persons.partners += fromPersons[part].partners;
    persons.children += fromPersons[part].children;
    families.partners += fromFamilies[part].partners;
    families.children += fromFamilies[part].children;
  }
  return std::all_of(passed.begin(), passed.end(), [](char pass) { return pass != 0; }) &&
         persons == families;
}

}  // namespace

int RepairPersonLinks(Store& store, Diagnostics& diagnostics, Rin rin) {
  if (rin < 1 || rin > store.PersonCount()) return 0;
  PersonRepair repair(store, diagnostics, rin);
  return PersonExists(store, rin) ? repair.RepairPresent() : repair.RepairDeleted();
}

int RepairFamilyLinks(Store& store, Diagnostics& diagnostics, Mrin mrin) {
  if (mrin < 1 || mrin > store.FamilyCount()) return 0;
  FamilyRepair repair(store, diagnostics, mrin);
  return FamilyExists(store, mrin) ? repair.RepairPresent() : repair.RepairDeleted();
}

int RepairAllLinks(Store& store, Diagnostics& diagnostics) {
  // Nearly every record of a file is in order. Which ones are not is found on all cores
  // first; the repairs then run in record order as ever. A repair changes other records,
  // so from the first one on every record is repaired in turn.
  enum Need : char { InOrder, Nameless, Repair };
  const int persons = store.PersonCount();
  const int families = store.FamilyCount();
  std::vector<Need> personNeeds(static_cast<std::size_t>(persons) + 1);
  std::vector<Need> familyNeeds(static_cast<std::size_t>(families) + 1);
  const std::size_t threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  // Each thread checks a run of persons and a run of families of its own.
  auto run = [threads](std::size_t part, int count) {
    return std::pair(1 + static_cast<int>(part * static_cast<std::size_t>(count) / threads),
                     1 + static_cast<int>((part + 1) * static_cast<std::size_t>(count) / threads));
  };
  // Most files are in order throughout, which the persons show at little cost; any
  // doubt, and every record is checked.
  if (AllLinksConfirmed(store, threads, run, [&](Rin rin) {
        if (PersonExists(store, rin) && IsNameless(store.personTable[rin])) {
          personNeeds[rin] = Nameless;
        }
      })) {
    for (Rin rin = 1; rin <= persons; ++rin) {
      if (personNeeds[rin] == Nameless) ReportNameless(diagnostics, rin);
    }
    return 0;
  }
  // Families first: their check reads the partners, and so finds missing parents at
  // little cost for the persons' check.
  MissingParents missingParents(familyNeeds.size());
  RunInParallel(threads, [&](std::size_t part) {
    for (auto [m, end] = run(part, families); m < end; ++m) {
      familyNeeds[m] = FamilyLinksNeedRepair(store, m) ? Repair : InOrder;
      missingParents[m] = NamesMissingParent(store, m);
    }
  });
  RunInParallel(threads, [&](std::size_t part) {
    for (auto [rin, end] = run(part, persons); rin < end; ++rin) {
      personNeeds[rin] = PersonLinksNeedRepair(store, rin, missingParents)                ? Repair
                         : PersonExists(store, rin) && IsNameless(store.personTable[rin]) ? Nameless
                                                                                          : InOrder;
    }
  });
  int corrections = 0;
  bool changed = false;
  for (Rin rin = 1; rin <= persons; ++rin) {
    if (changed || personNeeds[rin] == Repair) {
      corrections += RepairPersonLinks(store, diagnostics, rin);
      changed = true;
    } else if (personNeeds[rin] == Nameless) {
      ReportNameless(diagnostics, rin);
    }
  }
  for (Mrin mrin = 1; mrin <= families; ++mrin) {
    if (changed || familyNeeds[mrin] == Repair) {
      corrections += RepairFamilyLinks(store, diagnostics, mrin);
      changed = true;
    }
  }
  return corrections;
}

}  // namespace korvane
