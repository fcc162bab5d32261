#pragma once

#include "gedcom/loaded_file.h"
#include "platform/file_system.h"
#include "store/store.h"

namespace korvane {

enum class SourceState { Unchanged, Changed, Unreadable };

// Whether `source` is still the records file the tables' RecordOffsets were taken from:
// the same size and modification time, and a level-0 INDI or FAM line right before the
// offsets of the first, the last and a spread of the records between (see the .cpp for
// why not all of them). `error` gets the error number when it is Unreadable.
SourceState CheckSource(const Store& store, const LoadedFile& file, const InputFile& source,
                        int& error);

}  // namespace korvane
