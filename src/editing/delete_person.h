#pragma once

#include "editing/edit_session.h"
#include "platform/ui.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

// Asks whether the person should be deleted and, on Yes, deletes it: it leaves its parent
// families, it leaves its spouse families, and a spouse family left without any spouse is
// deleted too and let go by its children (the children stay). A family that keeps one
// spouse keeps its children. Deleted records get the flag word 0 but keep their names,
// dates and lists. Logs "Person gelöscht" with the person's description.
//
// Returns true when the person was deleted; false when the user said No or the RIN names
// no present person (then nothing is asked). The caller rebuilds the person list and
// keeps its selection count in step, and must not run this while a list sort reads the
// tables.
bool DeletePerson(Store& store, Diagnostics& diagnostics, Ui& ui, Rin rin);

// The same within an edit session: waits for the list sort first and keeps the selection
// count in step.
bool DeletePerson(EditSession& session, Rin rin);

}  // namespace korvane
