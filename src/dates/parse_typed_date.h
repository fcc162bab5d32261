#pragma once

#include "dates/packed_date.h"

namespace korvane {

// Reads what the user types into a date field ('ca. 1850', '12. März 1850', '3.1850') and
// returns the date to show. Never fails: what it cannot read stays 0. The parse-failed bit of
// `date` is kept, the second-year offset is cleared, all other fields are rewritten.
PackedDate ParseTypedDate(PackedDate date, const char* text);

}  // namespace korvane
