#pragma once

#include <cstdint>
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

// A check of the whole store from the persons' side, cheaper than asking every record:
// the persons confirm their links at the families they name, the families are only
// counted. When every person and family passes and the persons confirm as many partners
// and children as the families name, every family's partners and children are confirmed
// too, and no record needs a repair. Otherwise some may: ask every record then.
struct LinkTally {
  std::uint64_t partners = 0;
  std::uint64_t children = 0;
  bool operator==(const LinkTally&) const = default;
};
// A present person passes when it names no family twice and each family it names is
// present and has it as husband (and the person is male), as wife (female) or as child;
// its links are added to `tally`. An absent person passes when it names no present family.
bool PersonLinksConfirmed(const Store& store, Rin rin, LinkTally& tally);
// A present family passes unless it names no partner and fewer than two children; the
// partners and children it names are added to `tally`. An absent family always passes.
bool FamilyLinksCounted(const Store& store, Mrin mrin, LinkTally& tally);

}  // namespace korvane
