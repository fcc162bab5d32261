#pragma once

// What the tables hold of every person and family, a row each: tests compare stores by
// these rows and print the first that differs.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "store/store.h"

namespace korvane::test {

inline std::vector<std::string> StoreRows(const Store& store) {
  auto text = [](const char* t) { return t == nullptr ? "<null>" : t; };
  auto list = [](const LinkList& links) {
    return ::testing::PrintToString(std::vector<std::int32_t>(links.begin(), links.end()));
  };
  auto row = [](const auto&... fields) {
    std::ostringstream out;
    ((out << fields << ' '), ...);
    return out.str();
  };
  std::vector<std::string> rows;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    const Person& p = store.personTable[rin];
    rows.push_back(row("I", rin, text(p.givenNames), text(p.surname), int{p.sex}, p.birthDate.bits,
                       text(p.birthPlace), p.chrDate.bits, text(p.chrPlace), p.deathDate.bits,
                       text(p.deathPlace), p.burialDate.bits, text(p.burialPlace), list(p.fams),
                       list(p.famc)));
  }
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    rows.push_back(row("F", mrin, f.husband, f.wife, list(f.children), f.marriageDate.bits,
                       text(f.marriagePlace)));
  }
  return rows;
}

}  // namespace korvane::test
