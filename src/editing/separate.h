#pragma once

#include "editing/edit_session.h"

namespace korvane {

// Separates the person from the spouse in the family at the current family index, or
// from the current person when that is one of its spouses, after asking. The spouse keeps
// the family with its children; a childless family goes. A family at that index without
// a spouse is deleted without a question and its children let it go (result false then,
// as nothing was separated from anyone). Returns true when separated.
bool SeparateSpouse(EditSession& session, Rin rin);

// Asks, for each of the person's parent families in turn, whether to separate it from
// them, and separates it from the first confirmed. The family stays while it still links
// a parent with a child, both parents, or two children; otherwise it is deleted. Returns
// true when separated.
bool SeparateChild(EditSession& session, Rin rin);

}  // namespace korvane
