#include "store/store.h"

#include "store/flags.h"

namespace korvane {

void Store::Clear() {
  personTable.clear();
  personTable.resize(1);
  familyTable.clear();
  familyTable.resize(1);
  texts = TextPool();
  changeCounters = ChangeCounters{};
  baselinePersonCount = 0;
}

void Store::EnsurePersonCount(Rin count) {
  if (count > PersonCount()) personTable.resize(static_cast<std::size_t>(count) + 1);
}

void Store::EnsureFamilyCount(Mrin count) {
  if (count > FamilyCount()) familyTable.resize(static_cast<std::size_t>(count) + 1);
}

Rin Store::AddPerson() {
  personTable.emplace_back().flags = PresentFlag;
  return PersonCount();
}

Mrin Store::AddFamily() {
  familyTable.emplace_back().flags = PresentFlag;
  return FamilyCount();
}

}  // namespace korvane
