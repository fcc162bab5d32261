#pragma once

#include <string>

#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

// The person's one-line description for the program log: RIN, names, birth or christening
// and death or burial with whole dates and places, CR LF. It is built with the report
// helpers behind the end of the report and cut off again, so the report keeps its text.
// Empty when the report cannot take any more text.
std::string DescribePerson(Diagnostics& diagnostics, const Store& store, Rin rin);

// Appends the description to the program log.
void LogPersonDescription(Diagnostics& diagnostics, const Store& store, Rin rin);

}  // namespace korvane
