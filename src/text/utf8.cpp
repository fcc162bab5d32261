#include "text/utf8.h"

#include <cstdint>
#include <cstring>

#include "text/cp1252.h"

namespace korvane {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed sequence at `s`, or 0 when there is none. `rest` bounds the
// bytes that may be read; for zero-terminated text it may exceed the text, because the
// terminator is no continuation byte and the checks read the bytes in order.
std::size_t SequenceLength(const unsigned char* s, std::size_t rest) {
  const unsigned char b0 = s[0];
  if (b0 < 0x80) return 1;
  if (b0 >= 0xC2 && b0 <= 0xDF) return rest >= 2 && IsContinuation(s[1]) ? 2 : 0;
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (rest < 3 || !IsContinuation(s[1]) || !IsContinuation(s[2])) return 0;
    if (b0 == 0xE0 && s[1] < 0xA0) return 0;   // overlong
    if (b0 == 0xED && s[1] >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (rest < 4 || !IsContinuation(s[1]) || !IsContinuation(s[2]) || !IsContinuation(s[3]))
      return 0;
    if (b0 == 0xF0 && s[1] < 0x90) return 0;   // overlong
    if (b0 == 0xF4 && s[1] >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

char32_t DecodeAt(const unsigned char* s, std::size_t rest, std::size_t& len) {
  len = SequenceLength(s, rest);
  if (len == 0) {
    len = 1;
    return Cp1252ToUnicode(s[0]);
  }
  const unsigned char b0 = s[0];
  char32_t ch = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (std::size_t i = 1; i < len; ++i) ch = (ch << 6) | (s[i] & 0x3F);
  return ch;
}

const unsigned char* Bytes(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  std::size_t len = 0;
  const char32_t ch = DecodeAt(Bytes(text.data() + pos), text.size() - pos, len);
  pos += len;
  return ch;
}

char32_t DecodeUtf8(const char*& text) {
  std::size_t len = 0;
  const char32_t ch = DecodeAt(Bytes(text), SIZE_MAX, len);
  text += len;
  return ch;
}

void AppendUtf8(std::string& out, char32_t ch) {
  char bytes[4];
  out.append(bytes, PutUtf8(bytes, ch));
}

std::string_view PrefixOfChars(std::string_view text, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < maxChars && pos < text.size(); ++n) DecodeUtf8(text, pos);
  return text.substr(0, pos);
}

namespace {

// The length of an ASCII start of `text`: the whole text when it is ASCII throughout,
// else a length at or before its first high byte.
std::size_t AsciiPrefix(std::string_view text) {
  // Eight bytes at a time, the last eight overlapping those before: most values of most
  // files are plain ASCII.
  auto highs = [&](std::size_t pos) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + pos, 8);
    return (word & 0x8080808080808080ULL) != 0;
  };
  if (text.size() < 8) {
    std::size_t pos = 0;
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
  }
  std::size_t pos = 0;
  for (; pos + 8 <= text.size(); pos += 8) {
    if (highs(pos)) return pos;
  }
  return highs(text.size() - 8) ? pos : text.size();
}

}  // namespace

bool IsAscii(std::string_view text) { return AsciiPrefix(text) == text.size(); }

bool IsValidUtf8(std::string_view text) {
  // Umlauts stand singly among ASCII letters: the ASCII behind each is passed over fast.
  for (std::size_t pos = AsciiPrefix(text); pos < text.size();) {
    const std::size_t len = SequenceLength(Bytes(text.data() + pos), text.size() - pos);
    if (len == 0) return false;
    pos += len;
    pos += AsciiPrefix(text.substr(pos));
  }
  return true;
}

}  // namespace korvane
