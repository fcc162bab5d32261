#include "gedcom/line_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/cp1252.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// Index of the first CR or LF byte in [from, to), or kNotFound.
std::size_t FindLineEndByte(const char* data, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (data[i] == '\r' || data[i] == '\n') return i;
  }
  return kNotFound;
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

LineReader::LineReader(const InputFile& file, FileEncoding encoding, std::uint64_t begin,
                       std::uint64_t end)
    : file_(&file),
      encoding_(encoding),
      unit_(encoding == FileEncoding::Utf16Le || encoding == FileEncoding::Utf16Be ? 2 : 1),
      buffer_(kBufferBytes + kBlock),
      bufferOffset_(begin),
      endOffset_(end) {}

void LineReader::MaskBlock(std::size_t base) {
  const char* data = buffer_.data() + base;
  std::uint64_t ends = 0, ats = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i at = _mm_set1_epi8('@');
  for (std::size_t i = 0; i < kBlock; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const auto lineEnds = static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
    const auto atSigns = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, at)));
    ends |= std::uint64_t{lineEnds} << i;
    ats |= std::uint64_t{atSigns} << i;
  }
#else
  for (std::size_t i = 0; i < kBlock; ++i) {
    ends |= std::uint64_t{data[i] == '\r' || data[i] == '\n'} << i;
    ats |= std::uint64_t{data[i] == '@'} << i;
  }
#endif
  if (end_ - base < kBlock) {
    const std::uint64_t buffered = (std::uint64_t{1} << (end_ - base)) - 1;
    ends &= buffered;
    ats &= buffered;
  }
  blockBase_ = base;
  endMask_ = ends;
  atMask_ = ats;
}

void LineReader::Seek(std::uint64_t offset) {
  // Records are mostly visited in file order, so the target is often still buffered.
  if (offset >= bufferOffset_ && offset <= bufferOffset_ + end_) {
    begin_ = static_cast<std::size_t>(offset - bufferOffset_);
    return;
  }
  bufferOffset_ = offset;
  begin_ = end_ = 0;
  endOfFile_ = false;
  blockBase_ = kNoBlock;
}

// Moves the unread bytes to the front and reads more behind them. True when the buffer
// changed in any way, so positions found in it before must be found again.
bool LineReader::Refill() {
  if (endOfFile_) return false;
  blockBase_ = kNoBlock;
  const bool moved = begin_ > 0;
  if (moved) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    bufferOffset_ += begin_;
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == Capacity()) buffer_.resize(Capacity() * 2 + kBlock);  // a line longer than the buffer
  const std::uint64_t position = bufferOffset_ + end_;
  const std::size_t wanted = static_cast<std::size_t>(
      std::min<std::uint64_t>(Capacity() - end_, endOffset_ - std::min(position, endOffset_)));
  const std::int64_t got = wanted > 0 ? file_->ReadAt(buffer_.data() + end_, wanted, position) : 0;
  if (got <= 0) {
    // A read error ends the lines like the end of the file; callers ask Failed() before
    // they take what was read for the whole part.
    failed_ = failed_ || got < 0 || (wanted > 0 && endOffset_ != kToTheEnd);
    endOfFile_ = true;
    return moved;
  }
  end_ += static_cast<std::size_t>(got);
  return true;
}

std::size_t LineReader::UnitAt(std::size_t index) const {
  const auto* b = reinterpret_cast<const unsigned char*>(buffer_.data() + index);
  if (unit_ == 1) return b[0];
  return encoding_ == FileEncoding::Utf16Le ? (b[0] | b[1] << 8) : (b[0] << 8 | b[1]);
}

// Index of the first CR or LF unit in [from, to), or kNotFound.
std::size_t LineReader::FindLineEnd(std::size_t from, std::size_t to) const {
  if (unit_ == 1) return FindLineEndByte(buffer_.data(), from, to);
  for (std::size_t i = from; i + 2 <= to; i += 2) {
    const std::size_t unit = UnitAt(i);
    if (unit == '\n' || unit == '\r') return i;
  }
  return kNotFound;
}

bool LineReader::ReadWideLine(GedLine& line) {
#if defined(__SSE2__)
  // The line end's units, eight units at a time; the file's byte order decides how a
  // unit reads as a little-endian word.
  const bool little = encoding_ == FileEncoding::Utf16Le;
  const auto word = [little](unsigned unit) {
    return static_cast<short>(little ? unit : (unit & 0xFF) << 8 | unit >> 8);
  };
  const __m128i cr = _mm_set1_epi16(word('\r'));
  const __m128i lf = _mm_set1_epi16(word('\n'));
  const char* data = buffer_.data();
  std::size_t lineEnd = kNotFound;
  std::size_t pos = begin_;
  for (; pos + 16 <= end_; pos += 16) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const int ends =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(units, lf)));
    if (ends != 0) {
      lineEnd = pos + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(ends)));
      break;
    }
  }
  // The partner of a line end (CR LF, LF CR) must be buffered to be seen.
  if (lineEnd == kNotFound || lineEnd + 4 > end_) return false;
  std::size_t next = lineEnd + 2;
  const std::size_t first = UnitAt(lineEnd), second = UnitAt(next);
  if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r')) next += 2;
  line.raw = std::string_view(data + begin_, lineEnd - begin_);
  line.offset = bufferOffset_ + begin_;
  line.nextOffset = bufferOffset_ + next;
  if (!NarrowAsciiLine(begin_, lineEnd, line.text, line.hasAt)) {
    line.text = DecodedText(line.raw);
    line.hasAt = line.text.find('@') != std::string_view::npos;
  }
  begin_ = next;
  return true;
#else
  (void)line;
  return false;
#endif
}

bool LineReader::NarrowAsciiLine(std::size_t begin, std::size_t end, std::string_view& text,
                                 bool& hasAt) {
#if defined(__SSE2__)
  const bool little = encoding_ == FileEncoding::Utf16Le;
  const std::size_t units = (end - begin) / 2;
  // Eight units at a time, into a scratch text with room behind it for the last eight
  // bytes written and for the padding every line text has.
  scratch_.resize(units + 8 + kGedLinePadding);
  char* out = scratch_.data();
  const __m128i notAscii = _mm_set1_epi16(static_cast<short>(little ? 0xFF80 : 0x80FF));
  const __m128i at = _mm_set1_epi8('@');
  int ats = 0;
  std::size_t unit = 0;
  for (; unit + 8 <= units; unit += 8) {
    __m128i chunk =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(buffer_.data() + begin + 2 * unit));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, notAscii), _mm_setzero_si128())) !=
        0xFFFF) {
      return false;
    }
    if (!little) chunk = _mm_srli_epi16(chunk, 8);
    const __m128i bytes = _mm_packus_epi16(chunk, chunk);
    ats |= _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, at));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + unit), bytes);
  }
  for (; unit < units; ++unit) {
    const std::size_t value = UnitAt(begin + 2 * unit);
    if (value >= 0x80) return false;
    out[unit] = static_cast<char>(value);
    ats |= value == '@';
  }
  std::memset(out + units, 0, kGedLinePadding);
  text = std::string_view(out, units);
  hasAt = ats != 0;
  return true;
#else
  (void)begin, (void)end, (void)text, (void)hasAt;
  return false;
#endif
}

bool LineReader::ReadLineAtBufferEnd(GedLine& line) {
  for (;;) {
    const std::size_t lineEnd = FindLineEnd(begin_, end_);
    if (lineEnd == kNotFound || lineEnd + unit_ >= end_) {
      // No line end yet, or one whose partner (CR LF, LF CR) may follow: read on first.
      if (Refill()) continue;
      if (lineEnd == kNotFound && begin_ == end_) return false;
    }
    std::size_t next = end_;
    std::size_t contentEnd = end_;
    if (lineEnd != kNotFound) {
      contentEnd = lineEnd;
      next = lineEnd + unit_;
      if (next + unit_ <= end_) {
        const std::size_t first = UnitAt(lineEnd);
        const std::size_t second = UnitAt(next);
        if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r')) next += unit_;
      }
    }
    line.raw = std::string_view(buffer_.data() + begin_, contentEnd - begin_);
    line.offset = bufferOffset_ + begin_;
    line.nextOffset = bufferOffset_ + next;
    line.text = decodeLines_ || unit_ == 2 ? DecodedText(line.raw) : line.raw;
    line.hasAt = line.text.find('@') != std::string_view::npos;
    begin_ = next;
    return true;
  }
}

std::string_view LineReader::DecodedText(std::string_view raw) {
  // Lines in the buffer are padded by the bytes it holds beyond its capacity.
  const std::string_view text = ToUtf8(encoding_, raw, scratch_);
  if (text.data() != scratch_.data()) return text;
  scratch_.append(kGedLinePadding, '\0');
  return {scratch_.data(), text.size()};
}

std::string_view LineReader::Utf8Value(std::string_view part) {
  return decodeLines_ ? part : LineTextToUtf8(encoding_, part, valueScratch_);
}

bool LineReader::RawTail(const GedLine& line, std::string_view part, std::string_view& tail) const {
  const std::size_t chars = static_cast<std::size_t>(part.data() - line.text.data());
  if (chars > line.text.size() || !IsAscii(line.text.substr(0, chars))) return false;
  tail = line.raw.substr(std::min(line.raw.size(), chars * unit_));
  return true;
}

std::string_view ToUtf8(FileEncoding encoding, std::string_view raw, std::string& out) {
  switch (encoding) {
    case FileEncoding::Cp1252: {
      if (IsAscii(raw)) return raw;
      out.resize(3 * raw.size());  // the most a character of the code page takes
      char* end = out.data();
      for (const char ch : raw) end = PutUtf8(end, Cp1252ToUnicode(static_cast<unsigned char>(ch)));
      out.resize(static_cast<std::size_t>(end - out.data()));
      return out;
    }
    case FileEncoding::Utf8:
      if (IsValidUtf8(raw)) return raw;
      out.clear();
      for (std::size_t pos = 0; pos < raw.size();) AppendUtf8(out, DecodeUtf8(raw, pos));
      return out;
    case FileEncoding::Utf16Le:
    case FileEncoding::Utf16Be:
      break;
  }
  // A unit takes at most three bytes, a surrogate pair four, an odd last byte three.
  out.resize(3 * (raw.size() / 2) + 3);
  char* end = out.data();
  const bool little = encoding == FileEncoding::Utf16Le;
  auto unitAt = [&](std::size_t i) -> char32_t {
    const auto* b = reinterpret_cast<const unsigned char*>(raw.data() + i);
    return little ? (b[0] | b[1] << 8) : (b[0] << 8 | b[1]);
  };
  std::size_t i = 0;
  for (; i + 2 <= raw.size(); i += 2) {
    const char32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 4 <= raw.size()) {
      const char32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        end = PutUtf8(end, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    end = PutUtf8(end, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  if (i < raw.size()) end = PutUtf8(end, kReplacement);  // odd byte at the end of the file
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

}  // namespace korvane
