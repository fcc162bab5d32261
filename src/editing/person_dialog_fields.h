#pragma once

// How the person dialog's event fields map onto the event table.

#include "editing/person_dialog.h"
#include "store/events.h"

namespace korvane::editing {

// The event whose date or place the field holds, null for the other fields. The date and
// place fields of the events stand in pairs in the order of the event table.
inline const EventRow* EventOfField(int id) {
  if (id < kBirthDateField || id > kMarriagePlaceField) return nullptr;
  return &kEventRows[static_cast<std::size_t>((id - kBirthDateField) / 2)];
}
inline int DateFieldOf(const EventRow& row) {
  return kBirthDateField + 2 * static_cast<int>(row.kind);
}
inline int PlaceFieldOf(const EventRow& row) { return DateFieldOf(row) + 1; }

}  // namespace korvane::editing
