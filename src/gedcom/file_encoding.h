#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

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
// and code page 1252 otherwise. Reads the file from the start and leaves the position at
// the first byte after the mark.
DetectedEncoding DetectEncoding(std::FILE* file);

// The byte-order mark written at the start of a file in this encoding, if the source had one.
std::string_view ByteOrderMark(FileEncoding encoding);

}  // namespace korvane
