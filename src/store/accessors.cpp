#include "store/accessors.h"

#include <unordered_set>
#include <vector>

#include "store/events.h"
#include "store/flags.h"
#include "store/sex.h"

namespace korvane {
namespace {

const Family& ParentFamily(const Store& store, Rin rin, int i) {
  if (rin < 0 || i < 0) return store.familyTable[0];
  const Person& person = store.PersonRecord(rin);
  if (i >= person.famc.Count()) return store.familyTable[0];
  return store.FamilyRecord(person.famc.At(i));
}

// The first two estimates, from the person's own dates.
int OwnEstimate(const Store& store, const Person& person) {
  if (const int year = BirthYearOf(person)) return year;
  if (const int married = MarriageYearOf(store, person, 0)) return married - 20;
  return 0;
}

// The last three estimates, from the parents and the first spouse.
int RelativesEstimate(const Store& store, Rin rin) {
  if (const int year = BirthYearOf(store.PersonRecord(FatherOf(store, rin, 0)))) return year + 20;
  if (const int year = BirthYearOf(store.PersonRecord(MotherOf(store, rin, 0)))) return year + 20;
  return BirthYearOf(store.PersonRecord(SpouseOf(store, rin, 0)));
}

}  // namespace

Mrin FamsAt(const Person& person, int i) {
  return i >= 0 && i < person.fams.Count() ? person.fams.At(i) : 0;
}

Rin FatherOf(const Store& store, Rin rin, int i) { return ParentFamily(store, rin, i).husband; }

Rin MotherOf(const Store& store, Rin rin, int i) { return ParentFamily(store, rin, i).wife; }

Rin SpouseOf(const Store& store, Rin rin, int i) {
  const Person& person = store.PersonRecord(rin);
  const Mrin mrin = FamsAt(person, i);
  if (mrin == 0) return 0;
  const Family& family = store.FamilyRecord(mrin);
  return IsFemale(person.sex) ? family.husband : family.wife;
}

int MarriageYearOf(const Store& store, const Person& person, int i) {
  const Mrin mrin = FamsAt(person, i);
  if (mrin == 0) return 0;
  return DateOf(store.FamilyRecord(mrin), EventRowOf(EventKind::Marriage)).Year();
}

int BirthYearOf(const Person& person) { return DatedOrStandIn(person, EventKind::Birth).Year(); }

int DeathYearOf(const Person& person) { return DatedOrStandIn(person, EventKind::Death).Year(); }

// Walks down through the first child of each spouse family, depth first, as a recursion
// over "estimate of the first child - 25" would, but with its own stack (no overflow on
// deep lines) and a visited set (ends on cycles; a person met again adds nothing new).
// An estimate found d generations down gives that estimate - 25 * d.
int EstimatedBirthYear(const Store& store, Rin rin) {
  if (const int year = OwnEstimate(store, store.PersonRecord(rin))) return year;

  struct Frame {
    Rin rin;
    int nextFamily;
  };
  std::vector<Frame> stack{{rin, 0}};
  std::unordered_set<Rin> visited{rin};
  while (!stack.empty()) {
    const int depth = static_cast<int>(stack.size()) - 1;
    Frame& frame = stack.back();
    const Person& person = store.PersonRecord(frame.rin);
    Rin next = 0;
    while (next == 0 && frame.nextFamily < person.fams.Count()) {
      const Family& family = store.FamilyRecord(person.fams.At(frame.nextFamily++));
      if (family.children.Empty()) continue;
      const Rin child = family.children.At(0);
      if (visited.insert(child).second) next = child;
    }
    if (next != 0) {
      if (const int year = OwnEstimate(store, store.PersonRecord(next))) {
        return year - 25 * (depth + 1);
      }
      stack.push_back({next, 0});
      continue;
    }
    if (const int year = RelativesEstimate(store, frame.rin)) return year - 25 * depth;
    stack.pop_back();
  }
  return 0;
}

}  // namespace korvane
