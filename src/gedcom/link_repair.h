#pragma once

#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

// Makes every link of a person agree with the families it names, reporting each
// disagreement in the report ("\r\n### ..."). Returns the number of corrections counted.
// A person is never deleted here: a nameless person is only reported, since its record
// may still carry events, notes and sources.
int RepairPersonLinks(Store& store, Diagnostics& diagnostics, Rin rin);

// The same for a family: partners and children are made to name the family back, links
// to missing persons are dropped, and a family without partners and with fewer than two
// children is deleted.
int RepairFamilyLinks(Store& store, Diagnostics& diagnostics, Mrin mrin);

// Repairs the links of every person, then of every family, in record order; returns the
// corrections counted.
int RepairAllLinks(Store& store, Diagnostics& diagnostics);

}  // namespace korvane
