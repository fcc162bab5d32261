#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gedcom/file_encoding.h"
#include "platform/file_system.h"

namespace korvane {

// Writes the lines of a GEDCOM file in the encoding its source was read in. Every line
// ends in CR LF. Output is buffered; Finish() writes the rest and reports whether every
// write succeeded.
class LineWriter {
 public:
  LineWriter(OutputFile& file, FileEncoding encoding);
  // Keeps the output in memory, `expectedBytes` reserved, until TakeOutput().
  LineWriter(FileEncoding encoding, std::size_t expectedBytes);
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  void WriteByteOrderMark();
  // A line given as UTF-8, up to its first CR or LF; characters the encoding cannot hold
  // (code page 1252) are written as "?".
  void WriteLine(std::string_view utf8);
  // A line given as the bytes it had in the source file: copied unchanged.
  void WriteRawLine(std::string_view raw);
  // A line whose start is new text (UTF-8) and whose rest is copied from the source bytes.
  void WriteLineWithRawTail(std::string_view utf8Start, std::string_view rawTail);
  bool Finish();
  // Everything written to a writer that keeps its output in memory.
  std::string TakeOutput() { return std::move(buffer_); }
  // Bytes written so far, counting what is still buffered.
  std::uint64_t Position() const { return flushed_ + buffer_.size(); }
  bool Failed() const { return error_ != 0; }
  // The system's error number of the first write that failed, or 0.
  int Error() const { return error_; }

 private:
  void AppendEncoded(std::string_view utf8);
  void WriteLineEnd();
  void FlushBuffer();

  OutputFile* file_;
  FileEncoding encoding_;
  std::string buffer_;
  std::uint64_t flushed_ = 0;
  int error_ = 0;
};

}  // namespace korvane
