#pragma once

#include <string>
#include <unordered_map>

#include "gedcom/line_reader.h"
#include "platform/progress.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

struct ReadCounts {
  int indiRecords = 0;  // level-0 INDI records read
  int famRecords = 0;   // level-0 FAM records read
  int highestSourceNumber = 0;
  // Cross-references of persons and families as the file spells them ("@P12@",
  // "@PERSON1@"), where that differs from the "@I12@" / "@F7@" the export writes.
  std::unordered_map<std::string, std::string> respelledXrefs;
};

// One pass over the file from the reader's position: fills the (empty) store with the
// names, sex, events and links of every person and family. Records are numbered by their
// cross-references; records that cannot keep theirs get fresh numbers and are reported.
// Returns false, after the "GED Datei zu groß" box, when the file holds more records
// than the tables take; the store is then empty.
bool ReadGedRecords(LineReader& reader, Store& store, Diagnostics& diagnostics, Progress& progress,
                    ReadCounts& counts);

}  // namespace korvane
