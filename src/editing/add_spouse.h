#pragma once

#include "editing/edit_session.h"

namespace korvane {

// Marries the existing person `spouse` to `rin`: into the first of the person's families
// that still lacks the partner, or into a new family. A man takes a woman and a woman a
// man; a person of unknown sex, a number that names no present person or the person
// itself, and a partner who would become a parent of their own ancestor are refused with
// an error box. Returns the spouse, or 0 when refused (`spouse` 0 does nothing).
Rin AddSpouse(EditSession& session, Rin rin, Rin spouse);

// Creates the partner of `rin` in the person edit dialog, of the other sex, and marries
// them in `mrin` (a family of the person without that partner), else in the first such
// family, else in a new one. Cancelling the dialog leaves everything as it was. Returns
// true when the partner was added.
bool AddNewSpouse(EditSession& session, Rin rin, Mrin mrin);

}  // namespace korvane
