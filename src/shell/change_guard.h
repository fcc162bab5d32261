#pragma once

#include <string>

#include "store/store.h"

namespace korvane {

// What has not been exported since the last load or export: the counters of the
// commands, and every record that was changed, created or deleted.
struct PendingChanges {
  ChangeCounters counters;
  int created = 0;  // persons and families made in the program
  int changed = 0;  // records of the file that carry the changed bit
  int deleted = 0;  // records of the file that were deleted

  bool Any() const {
    return counters.merges != 0 || counters.corrections != 0 || counters.replacements != 0 ||
           created > 0 || changed > 0 || deleted > 0;
  }
};

// `baselineFamilyCount` is the family count right after the load, like the store's own
// baseline of persons.
PendingChanges CountPendingChanges(const Store& store, Mrin baselineFamilyCount);

// The question before pending changes are dropped; it names each kind that is pending.
std::string DiscardQuestion(const PendingChanges& pending);

}  // namespace korvane
