#pragma once

#include "store/store.h"

namespace korvane {

// Brings the presence bits of the person, and of the families it belongs to, in line with
// their fields after an edit. A date counts when it has a year. The sex bit and the
// families' bits are only ever set here, never cleared. Nothing happens for a number
// outside the table.
void RefreshPresenceFlags(Store& store, Rin rin);

}  // namespace korvane
