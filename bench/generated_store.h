#pragma once

#include <cstdint>

#include "store/store.h"

namespace korvane::bench {

// Fills `store` with `persons` persons of German names, dates from the 17th to the 20th
// century (some missing, some only a year) and a family for about every third person.
// The same seed gives the same store.
void GenerateStore(Store& store, int persons, std::uint32_t seed);

}  // namespace korvane::bench
