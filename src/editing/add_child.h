#pragma once

#include "editing/edit_session.h"

namespace korvane {

// Makes the existing person `child` a child of `rin`'s family at the current family
// index (the first when the index is beyond the list), or of a new family in which the
// parent is husband, or wife when a woman (an unknown sex is kept, as husband). Asks the
// child's sex when it has none. Refuses with an error box a number that names no present
// person, the parent itself, a child already in that family and a child that is an
// ancestor of the parent. Returns the child, or 0 when refused.
Rin AddChild(EditSession& session, Rin rin, Rin child);

// Creates children of `rin` in the person edit dialog, one after the other while the user
// asks for another: into `mrin`, or, when it is 0, each into a new family of its own with
// the person as only parent. The person must be a man or a woman. Returns true when the
// last dialog was confirmed; children confirmed before a cancelled dialog stay.
bool AddNewChildren(EditSession& session, Rin rin, Mrin mrin);

// Moves `child` from all its parent families into `mrin`. A family number that names no
// present family, or a family of the child's own descendants, is refused with an error
// box; 0 and a family the child is in already do nothing. A parent family left without
// any member goes. Nothing is logged. Returns true when the child was moved.
bool AssignParents(EditSession& session, Rin child, Mrin mrin);

}  // namespace korvane
