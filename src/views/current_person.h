#pragma once

#include <array>
#include <string>
#include <string_view>

#include "store/store.h"
#include "views/person_list.h"

namespace korvane {

// Makes the person of `row` the current one. The previous person changes only when the
// current one does, so clicking the same row twice keeps the pair that merge and
// relationship work on. False, and nothing changes, for a row outside the list.
bool MakeCurrent(const PersonList& list, int row, Rin& currentRin, Rin& previousRin);

// Status bar part 2 for the current person: "RIN: 12".
std::string RinStatusText(Rin currentRin);

// The three status bar parts while the "Liste" tab shows: the loaded file, the row count
// with the merges and corrections since the load, and the current person.
std::array<std::string, 3> ListStatusTexts(std::string_view displayFileName, int rowCount,
                                           const ChangeCounters& counters, Rin currentRin);

// The same for the "Auswahl" tab.
std::array<std::string, 3> SelectionStatusTexts(int rowCount, Rin currentRin);

}  // namespace korvane
