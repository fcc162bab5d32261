#include "shell/change_guard.h"

#include <algorithm>

#include "store/flags.h"

namespace korvane {
namespace {

// Counts the records up to `baseline` (those of the file) and the ones made after it.
template <typename Record>
void CountTable(const std::vector<Record>& table, std::int64_t baseline, PendingChanges& pending) {
  const std::size_t fromFile =
      static_cast<std::size_t>(std::clamp<std::int64_t>(baseline, 0, std::ssize(table) - 1));
  for (std::size_t i = 1; i < table.size(); ++i) {
    const Record& record = table[i];
    const bool present = (record.flags & PresentFlag) != 0;
    if (i > fromFile) {
      pending.created += present;
    } else if (present) {
      pending.changed += (record.flags & ChangedFlag) != 0;
    } else {
      // A number the file never used has no lines; one whose lines were read was deleted.
      pending.deleted += record.recordOffset != 0;
    }
  }
}

}  // namespace

PendingChanges CountPendingChanges(const Store& store, Mrin baselineFamilyCount) {
  PendingChanges pending;
  pending.counters = store.changeCounters;
  CountTable(store.personTable, store.baselinePersonCount, pending);
  CountTable(store.familyTable, baselineFamilyCount, pending);
  return pending;
}

std::string DiscardQuestion(const PendingChanges& pending) {
  std::string text = "Änderungen wurden noch nicht exportiert!\r\n(";
  auto part = [&text](int count, const char* what) {
    if (count <= 0) return;
    text += ' ';
    text += std::to_string(count);
    text += what;
  };
  part(pending.counters.merges, " Verschmelzungen");
  part(pending.counters.corrections, " Korrekturen");
  part(pending.counters.replacements, " Ersetzungen");
  part(pending.created, " Neu");
  part(pending.changed, " Geändert");
  part(pending.deleted, " Gelöscht");
  text += " )\r\n\r\nAlle Änderungen verwerfen?";
  return text;
}

}  // namespace korvane
