#pragma once

#include <string>

#include "gedcom/file_encoding.h"
#include "gedcom/ged_reader.h"

namespace korvane {

// The GEDCOM file the data came from: the master copy that exports read again.
struct LoadedFile {
  std::string path;         // the current file: the loaded one, later the last export
  std::string displayName;  // the part behind the last "/" or "\"
  // The file the records' RecordOffsets point into: the loaded file, after an export the
  // exported one (a rewrite that does not move the offsets leaves them in the backup).
  std::string recordsPath;
  // The records file as it was when the offsets were taken: a rewrite refuses to read a
  // file that changed since.
  FileIdentity recordsFile;
  DetectedEncoding encoding;
  ReadCounts counts;
  int baselineFamilyCount = 0;  // FamilyCount right after the load
};

// The part of a path behind its last separator; both "/" and "\" count.
std::string FileNameOf(const std::string& path);
// The folder of a path with its trailing separator, or empty when there is none.
std::string FolderOf(const std::string& path);

}  // namespace korvane
