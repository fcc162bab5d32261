#pragma once

#include "store/store.h"

namespace korvane {

// True when RepairPersonLinks would change anything about the person's links, or about
// the links of the records they name; it reads only. A missing name, which the repair
// reports without changing anything, does not count.
bool PersonLinksNeedRepair(const Store& store, Rin rin);

// The same for RepairFamilyLinks.
bool FamilyLinksNeedRepair(const Store& store, Mrin mrin);

}  // namespace korvane
