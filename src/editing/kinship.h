#pragma once

#include <initializer_list>

#include "store/store.h"

namespace korvane::editing {

// True when `person` is one of `ancestors` or a descendant of one of them, following
// spouse families down to their children. Ends on every data, also on data where a
// person is already their own descendant.
bool IsDescendantOrSelf(const Store& store, std::initializer_list<Rin> ancestors, Rin person);

// Whether `parent` joining the family as a spouse would make someone their own ancestor:
// `parent` is one of the family's children or descends from one.
bool ParentJoinMakesCycle(const Store& store, Rin parent, Mrin mrin);

// Whether `child` joining the family as a child would: a spouse of the family is the
// child or descends from it.
bool ChildJoinMakesCycle(const Store& store, Rin child, Mrin mrin);

}  // namespace korvane::editing
