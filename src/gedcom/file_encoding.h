#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/file_system.h"

namespace korvane {

// How a GEDCOM file is encoded. The export writes its file in the encoding the loaded
// file was read in.
enum class FileEncoding { Cp1252, Utf8, Utf16Le, Utf16Be };

struct DetectedEncoding {
  FileEncoding encoding = FileEncoding::Cp1252;
  std::size_t bomLength = 0;  // bytes of the byte-order mark at the start
};

// Decides the encoding from the byte-order mark; without one, a file is UTF-8 when its
// header declares "1 CHAR UTF-8" or when all of it is valid UTF-8 with non-ASCII bytes,
// and code page 1252 otherwise. A read error goes to `readError` (minus the error
// number), when given.
DetectedEncoding DetectEncoding(const InputFile& file, std::int64_t* readError = nullptr);

// The byte-order mark written at the start of a file in this encoding, if the source had one.
std::string_view ByteOrderMark(FileEncoding encoding);

}  // namespace korvane
