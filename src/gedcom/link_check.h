#pragma once

#include <vector>

#include "store/store.h"

namespace korvane {

// True when the family names a husband or wife that does not exist. The person check
// asks this of every family a person is a child in: kept in a table (index = MRIN), the
// answer spares it two lookups in the person table, which is far larger than the
// processor's caches.
bool NamesMissingParent(const Store& store, Mrin mrin);
using MissingParents = std::vector<char>;

// True when RepairPersonLinks would change anything about the person's links, or about
// the links of the records they name; it reads only. A missing name, which the repair
// reports without changing anything, does not count. `missingParents` holds
// NamesMissingParent of every family.
bool PersonLinksNeedRepair(const Store& store, Rin rin, const MissingParents& missingParents);

// The same for RepairFamilyLinks.
bool FamilyLinksNeedRepair(const Store& store, Mrin mrin);

}  // namespace korvane
