#pragma once

#include <cstdint>

#include "dates/packed_date.h"
#include "store/events.h"

namespace korvane {

// Stores an edited date text into an event of a person or family: `flags` is the
// record's flag word and `eventFlag` the has-date bit of that event. Nothing changes
// when the text equals the current date's display text; otherwise the text is parsed,
// the has-date bit follows whether the result has text, and the record is marked changed.
void SetEventDate(PackedDate& date, std::uint32_t& flags, const char* text,
                  std::uint32_t eventFlag);

// The same for the event of `row` of a person or a family (the row must be one of its).
template <typename Record>
void SetEventDate(Record& record, const EventRow& row, const char* text) {
  SetEventDate(DateOf(record, row), record.flags, text, row.dateFlag);
}

}  // namespace korvane
