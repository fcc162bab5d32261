#pragma once

#include "gedcom/line_reader.h"
#include "gedcom/line_writer.h"

namespace korvane {

// Reads on to the next line of level 0 (or without a level) and leaves the reader at its
// start, so the rest of a record the export writes itself is stepped over.
void SkipRecordRest(LineReader& reader);

// Copies the next line unchanged (its bytes as read, in the file's encoding, and its line
// end); false at the end of the file.
bool CopyLine(LineReader& reader, LineWriter& writer);

}  // namespace korvane
