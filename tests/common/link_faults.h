#pragma once

#include <string>
#include <vector>

#include "store/accessors.h"
#include "store/flags.h"
#include "store/link_list.h"
#include "store/store.h"

namespace korvane::test {

// Every link of a present record that is one-sided or points at no present record.
inline std::vector<std::string> LinkFaults(const Store& store) {
  std::vector<std::string> faults;
  auto fault = [&faults](const char* what, int from, int to) {
    faults.push_back(std::string(what) + " " + std::to_string(from) + " -> " + std::to_string(to));
  };
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    const Person& p = store.personTable[rin];
    if (!(p.flags & PresentFlag)) continue;
    for (const Mrin mrin : p.fams) {
      const Family& f = store.FamilyRecord(mrin);
      if (!FamilyExists(store, mrin) || (f.husband != rin && f.wife != rin))
        fault("FAMS", rin, mrin);
    }
    for (const Mrin mrin : p.famc) {
      if (!FamilyExists(store, mrin) || !ListContains(store.familyTable[mrin].children, rin)) {
        fault("FAMC", rin, mrin);
      }
    }
  }
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    if (!(f.flags & PresentFlag)) continue;
    for (const Rin rin : {f.husband, f.wife}) {
      if (rin != 0 &&
          (!PersonExists(store, rin) || !ListContains(store.personTable[rin].fams, mrin))) {
        fault("HUSB/WIFE", mrin, rin);
      }
    }
    for (const Rin rin : f.children) {
      if (!PersonExists(store, rin) || !ListContains(store.personTable[rin].famc, mrin)) {
        fault("CHIL", mrin, rin);
      }
    }
  }
  return faults;
}

}  // namespace korvane::test
