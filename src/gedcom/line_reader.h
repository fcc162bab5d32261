#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/file_encoding.h"
#include "gedcom/ged_line.h"
#include "platform/file_system.h"

namespace korvane {

// One physical line of a GEDCOM file.
struct GedLine {
  std::string_view raw;  // the bytes as they stand in the file, without line end
  // The same as UTF-8; with decoding switched off, the raw bytes of a single-byte or UTF-8
  // file (their level, tags and cross-references read the same; values then go through
  // LineReader::Utf8Value before they are used as text). At least kGedLinePadding
  // readable bytes follow it, so ParsePaddedGedLine may take it apart.
  std::string_view text;
  std::uint64_t offset = 0;      // file position of the line's first byte
  std::uint64_t nextOffset = 0;  // file position behind its line end
  bool hasAt = true;             // false when the line holds no "@" (no pointer)

  // The bytes of its line end as they stand in the file (CR LF, LF, CR, LF CR, or none
  // for a last line without one); they follow `raw` in the reader's buffer.
  std::string_view End() const { return WithEnd().substr(raw.size()); }
  // The raw bytes and the line end.
  std::string_view WithEnd() const {
    return {raw.data(), static_cast<std::size_t>(nextOffset - offset)};
  }
};

// Bytes of a file in `encoding` as UTF-8 (`scratch` holds the result where it differs).
std::string_view ToUtf8(FileEncoding encoding, std::string_view raw, std::string& scratch);

// Reads the lines of a file in its encoding. Lines may have any length; CR, LF, CR LF
// and LF CR each end a line, and a last line without line end is read too. The views of
// a GedLine stay valid until the next call.
//
// The reader keeps its own position and reads a buffer at a time at that position, so
// several readers may work on parts of one file at the same time.
class LineReader {
 public:
  // Reads the part [begin, end) of the file. A part that ends early, because the file is
  // shorter than the caller expected, counts as a failed read.
  LineReader(const InputFile& file, FileEncoding encoding, std::uint64_t begin = 0,
             std::uint64_t end = kToTheEnd);
  // Reads a whole file, from behind its byte-order mark.
  LineReader(const InputFile& file, const DetectedEncoding& encoding)
      : LineReader(file, encoding.encoding, encoding.bomLength) {}

  static constexpr std::uint64_t kToTheEnd = UINT64_MAX;

  bool ReadLine(GedLine& line) {
    // Nearly every line of a single-byte or UTF-8 file ends inside the buffer, with its
    // line end's partner (if any) buffered too. Line ends and "@" are looked up in
    // masks of 64 bytes at a time, most lines take one bit scan.
    if (unit_ == 1) {
      bool hasAt = false;
      for (std::size_t pos = begin_; pos < end_;) {
        if (pos < blockBase_ || pos - blockBase_ >= kBlock) MaskBlock(pos & ~(kBlock - 1));
        const std::size_t shift = pos - blockBase_;
        const std::uint64_t ends = endMask_ >> shift;
        if (ends == 0) {
          hasAt = hasAt || (atMask_ >> shift) != 0;
          pos = blockBase_ + kBlock;
          continue;
        }
        const auto length = static_cast<std::size_t>(std::countr_zero(ends));
        const std::size_t end = pos + length;
        if (end + 1 >= end_) break;  // its partner may be still unread
        hasAt = hasAt || ((atMask_ >> shift) & ((std::uint64_t{1} << length) - 1)) != 0;
        const char* data = buffer_.data();
        std::size_t next = end + 1;
        if ((data[end] == '\r' && data[next] == '\n') ||
            (data[end] == '\n' && data[next] == '\r')) {
          ++next;
        }
        // Both views are made from registers: copying one into the other goes through a
        // 16-byte load of two 8-byte stores, which the processor cannot forward.
        line.raw = std::string_view(data + begin_, end - begin_);
        line.text = std::string_view(data + begin_, end - begin_);
        if (decodeLines_) line.text = DecodedText(line.raw);
        line.offset = bufferOffset_ + begin_;
        line.nextOffset = bufferOffset_ + next;
        line.hasAt = hasAt;
        begin_ = next;
        return true;
      }
    }
    if (unit_ == 2 && ReadWideLine(line)) return true;
    return ReadLineAtBufferEnd(line);
  }
  // Passes that only look at levels, tags and cross-references need no decoded lines.
  void SetDecodeLines(bool decode) { decodeLines_ = decode; }
  // A part of a line's text as UTF-8 (valid until the next call or ReadLine).
  std::string_view Utf8Value(std::string_view part);
  // The raw bytes behind `part` of the line's text, when everything before it is ASCII
  // (level, cross-reference, tag); otherwise an empty view and false.
  bool RawTail(const GedLine& line, std::string_view part, std::string_view& tail) const;
  std::uint64_t Position() const { return bufferOffset_ + begin_; }
  void Seek(std::uint64_t offset);
  FileEncoding Encoding() const { return encoding_; }
  // True when reading the file failed or it ended before the part did (the lines then
  // ended early).
  bool Failed() const { return failed_; }

  // What is read at a time: small enough that the lines are still in the processor's
  // second-level cache when they are taken apart. A longer line makes the buffer grow.
  static constexpr std::size_t kBufferBytes = 256 << 10;

 private:
  static constexpr std::size_t kBlock = 64;
  static constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);

  bool ReadLineAtBufferEnd(GedLine& line);
  // A UTF-16 line that ends inside the buffer, with its line end's partner buffered too;
  // false, reading nothing, for any other.
  bool ReadWideLine(GedLine& line);
  // The UTF-16 line in buffer_[begin, end) as UTF-8 in `scratch_` when it is ASCII
  // throughout (then `hasAt` tells whether it holds an "@"); false for any other.
  bool NarrowAsciiLine(std::size_t begin, std::size_t end, std::string_view& text, bool& hasAt);
  // A line's text as UTF-8, padded wherever it is kept (see GedLine::text).
  std::string_view DecodedText(std::string_view raw);
  // The line-end and "@" masks of the 64 buffered bytes from `base` (bits at or behind
  // the end of the buffered bytes are clear).
  void MaskBlock(std::size_t base);
  std::size_t Capacity() const { return buffer_.size() - kBlock; }
  bool Refill();
  std::size_t UnitAt(std::size_t index) const;
  std::size_t FindLineEnd(std::size_t from, std::size_t to) const;

  const InputFile* file_;
  FileEncoding encoding_;
  std::size_t unit_;          // bytes per code unit
  std::vector<char> buffer_;  // kBlock bytes more than it fills, so masks may read past
  std::size_t blockBase_ = kNoBlock;
  std::uint64_t endMask_ = 0;
  std::uint64_t atMask_ = 0;
  std::size_t begin_ = 0;           // next unread byte in buffer_
  std::size_t end_ = 0;             // end of the bytes in buffer_
  std::uint64_t bufferOffset_ = 0;  // file position of buffer_[0]
  std::uint64_t endOffset_;         // where the part to read ends
  bool endOfFile_ = false;
  bool failed_ = false;
  bool decodeLines_ = true;
  std::string scratch_;
  std::string valueScratch_;
};

// A part of a line's text, as a LineReader with decoding switched off hands it out, as
// UTF-8: lines of UTF-16 files are decoded anyway, the others are their file's bytes.
inline std::string_view LineTextToUtf8(FileEncoding encoding, std::string_view text,
                                       std::string& scratch) {
  const bool decoded = encoding == FileEncoding::Utf16Le || encoding == FileEncoding::Utf16Be;
  return decoded ? text : ToUtf8(encoding, text, scratch);
}

}  // namespace korvane
