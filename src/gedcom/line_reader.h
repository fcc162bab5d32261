#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/file_encoding.h"

namespace korvane {

// One physical line of a GEDCOM file.
struct GedLine {
  std::string_view raw;          // the bytes as they stand in the file, without line end
  std::string_view text;         // the same as UTF-8
  std::uint64_t offset = 0;      // file position of the line's first byte
  std::uint64_t nextOffset = 0;  // file position behind its line end
};

// Reads the lines of a file in its encoding. Lines may have any length; CR, LF, CR LF
// and LF CR each end a line, and a last line without line end is read too. The views of
// a GedLine stay valid until the next call.
class LineReader {
 public:
  // Reading starts at the file's current position.
  LineReader(std::FILE* file, FileEncoding encoding);

  bool ReadLine(GedLine& line);
  std::uint64_t Position() const { return bufferOffset_ + begin_; }
  void Seek(std::uint64_t offset);
  FileEncoding Encoding() const { return encoding_; }

 private:
  bool Refill();
  std::size_t UnitAt(std::size_t index) const;
  std::size_t FindLineEnd(std::size_t from, std::size_t to) const;
  std::string_view ToUtf8(std::string_view raw);

  std::FILE* file_;
  FileEncoding encoding_;
  std::size_t unit_;  // bytes per code unit
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // next unread byte in buffer_
  std::size_t end_ = 0;    // end of the bytes in buffer_
  std::uint64_t bufferOffset_ = 0;  // file position of buffer_[0]
  bool endOfFile_ = false;
  std::string scratch_;
};

}  // namespace korvane
