#pragma once

#include <string>

#include "gedcom/import_driver.h"

namespace korvane {

// "Teil-Export": asks for the target file and exports the selection to it. After a
// successful export the target is the current file and the selection, the changed flags
// and the change counters are cleared; after a failure everything stays as it was.
// False when nothing was exported (cancelled, refused or failed).
bool ExportCommand(LoadContext& context);

// Exports the selected persons and their families to `target`. The records file must be
// the one the tables were read from. The new file is written and synced completely under
// a temporary name beside the target; only then does an existing target get its next
// backup name as a second name (or a copy), and the new file replaces the target in one
// step. So the target exists at every moment, and a failure or a kill at any step leaves
// every earlier file as it was; what a killed export left temporary goes at the next
// export or load. A folder, device or FIFO is no target. False after the error box.
bool ExportTo(LoadContext& context, const std::string& target);

}  // namespace korvane
