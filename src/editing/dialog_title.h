#pragma once

#include <string_view>

#include "editing/edit_session.h"

namespace korvane {

// Fills `PendingDialogTitle` with "<prefix> [<rin>] <given names> <surname>"; an absent
// name prints as an empty text.
void SetDialogTitle(EditSession& session, std::string_view prefix, Rin rin);

}  // namespace korvane
