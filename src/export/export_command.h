#pragma once

#include <string>

#include "gedcom/import_driver.h"

namespace korvane {

// "Teil-Export": asks for the target file and exports the selection to it. After a
// successful export the target is the current file and the selection, the changed flags
// and the change counters are cleared; after a failure everything stays as it was.
// False when nothing was exported (cancelled, refused or failed).
bool ExportCommand(LoadContext& context);

// Exports the selected persons and their families to `target`. The new file is written
// completely under a temporary name beside the target; only then does an existing target
// become its next backup and the new file take the target's name, so a failure at any
// step leaves every earlier file as it was. False after the error box.
bool ExportTo(LoadContext& context, const std::string& target);

}  // namespace korvane
