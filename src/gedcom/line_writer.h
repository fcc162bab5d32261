#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gedcom/file_encoding.h"
#include "platform/file_system.h"

namespace korvane {

// Writes the lines of a GEDCOM file in the encoding its source was read in. A line that
// stands for a line of the source ends as that line did; a line of its own ends with the
// writer's line end (CR LF unless SetLineEnd says otherwise). Output is buffered; Finish()
// writes the rest and reports whether every write succeeded.
class LineWriter {
 public:
  LineWriter(OutputFile& file, FileEncoding encoding);
  // Keeps the output in memory, `expectedBytes` reserved, until TakeOutput().
  LineWriter(FileEncoding encoding, std::size_t expectedBytes);
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  void WriteByteOrderMark();
  // The line end of lines of its own, as bytes in the file's encoding (the source's
  // usual line end); an empty one keeps CR LF.
  void SetLineEnd(std::string_view rawEnd);
  const std::string& LineEnd() const { return lineEnd_; }
  // A line given as UTF-8, up to its first CR or LF; characters the encoding cannot hold
  // (code page 1252) are written as "?". Ended with the writer's line end.
  void WriteLine(std::string_view utf8) { WriteLine(utf8, lineEnd_); }
  // The same, ended with `rawEnd`, the line end of the source line it stands for.
  void WriteLine(std::string_view utf8, std::string_view rawEnd);
  // A line given as the bytes it had in the source file, and its line end: copied
  // unchanged.
  void WriteRawLine(std::string_view raw, std::string_view rawEnd);
  void WriteRawLine(std::string_view raw) { WriteRawLine(raw, lineEnd_); }
  // A line whose start is new text (UTF-8) and whose rest is copied from the source bytes.
  void WriteLineWithRawTail(std::string_view utf8Start, std::string_view rawTail,
                            std::string_view rawEnd);
  // True when the last line written had no line end (the last line of a source without
  // one). A line written after it first ends it with the writer's line end.
  bool EndsOpen() const { return open_; }
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
  void StartLine();
  void EndLine(std::string_view rawEnd);
  void FlushBuffer();

  OutputFile* file_;
  FileEncoding encoding_;
  std::string lineEnd_;
  bool open_ = false;
  std::string buffer_;
  std::uint64_t flushed_ = 0;
  int error_ = 0;
};

}  // namespace korvane
