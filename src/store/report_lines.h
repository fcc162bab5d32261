#pragma once

#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

// Parts of a person line; combine with |.
enum PersonLineMode : int {
  kLineRinFirst = 0x02,   // "[12] " before the names
  kLineBirth = 0x04,      // birth year (or dates)
  kLineDeath = 0x08,      // death year (or dates)
  kLinePlaces = 0x10,     // places behind their dates
  kLineRinLast = 0x20,    // " [12]" at the end
  kLineFullDates = 0x40,  // whole dates instead of years
  kLineBreak = 0x80,      // CR LF at the end
};

// Parts of a relatives line; combine with |.
enum RelativesMode : int {
  kRelativesLeadingBreak = 0x01,
  kRelativesParents = 0x02,
  kRelativesSpouses = 0x04,
  kRelativesMarriageYear = 0x08,
  kRelativesTrailingBreak = 0x10,
};

// One person in the report's notation: given names, surname, then years or dates and
// places as `mode` asks. Missing parts vanish.
void AppendPersonLine(Diagnostics& diagnostics, const Store& store, const char* prefix, int mode,
                      Rin rin);

// One family: " Fam [7] " with husband and "- " wife.
void AppendFamilyLine(Diagnostics& diagnostics, const Store& store, const char* prefix, Mrin mrin);

// The parents of the first parent family, the year of the first marriage and the spouses.
void AppendRelatives(Diagnostics& diagnostics, const Store& store, int mode, Rin rin);

}  // namespace korvane
