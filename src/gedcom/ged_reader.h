#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "gedcom/line_reader.h"
#include "gedcom/reference_index.h"
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
  // The note and source pointers of the file, for the export.
  ReferenceIndex references;
};

// One pass over [begin, end) of the file: fills the (empty) store with the names, sex,
// events and links of every person and family. Records are numbered by their
// cross-references; records that cannot keep theirs get fresh numbers and are reported.
// A large file is read in parts at the same time (see file_parts.h), with the same
// result. Returns false, after the "GED Datei zu groß" box, when the file holds more
// records than the tables take; the store is then empty.
bool ReadGedRecords(const InputFile& file, FileEncoding encoding, std::uint64_t begin,
                    std::uint64_t end, Store& store, Diagnostics& diagnostics, Progress& progress,
                    ReadCounts& counts);

}  // namespace korvane
