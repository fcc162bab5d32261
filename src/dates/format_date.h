#pragma once

#include <string>

#include "dates/packed_date.h"

namespace korvane {

// The date as text in the given form ('UNG 12 MAI 1850' / 'ABT 12 MAY 1850'), or an empty
// string when the date has neither year nor month.
std::string FormatDate(PackedDate date, DateForm form);

}  // namespace korvane
