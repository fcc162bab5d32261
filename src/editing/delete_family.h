#pragma once

#include "editing/edit_session.h"

namespace korvane {

// Deletes the family: its husband, wife and children let it go, its children list is
// emptied and its flag word cleared (husband and wife keep their values in the record).
// Those who let it go are marked changed. Logs "mrin %d gelöscht". A number that names no
// present family does nothing.
void DeleteFamily(EditSession& session, Mrin mrin);

}  // namespace korvane
