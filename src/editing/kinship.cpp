#include "editing/kinship.h"

#include <vector>

namespace korvane::editing {
namespace {

bool Reaches(const Store& store, std::vector<Rin> pending, Rin person) {
  std::vector<bool> seen(static_cast<std::size_t>(store.PersonCount()) + 1, false);
  while (!pending.empty()) {
    const Rin rin = pending.back();
    pending.pop_back();
    if (rin < 1 || rin > store.PersonCount() || seen[rin]) continue;
    if (rin == person) return true;
    seen[rin] = true;
    for (const Mrin mrin : store.personTable[rin].fams) {
      for (const Rin child : store.FamilyRecord(mrin).children) pending.push_back(child);
    }
  }
  return false;
}

}  // namespace

bool IsDescendantOrSelf(const Store& store, std::initializer_list<Rin> ancestors, Rin person) {
  if (person < 1) return false;
  return Reaches(store, std::vector<Rin>(ancestors), person);
}

bool ParentJoinMakesCycle(const Store& store, Rin parent, Mrin mrin) {
  const LinkList& children = store.FamilyRecord(mrin).children;
  if (parent < 1 || children.Empty()) return false;
  return Reaches(store, std::vector<Rin>(children.begin(), children.end()), parent);
}

bool ChildJoinMakesCycle(const Store& store, Rin child, Mrin mrin) {
  const Family& family = store.FamilyRecord(mrin);
  return IsDescendantOrSelf(store, {child}, family.husband) ||
         IsDescendantOrSelf(store, {child}, family.wife);
}

}  // namespace korvane::editing
