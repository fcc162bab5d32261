#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// Decodes the character at `pos` and advances `pos` past it. A byte that does not start a
// well-formed UTF-8 sequence is taken as the code-page-1252 character of that byte and
// consumes exactly that byte, so any input decodes without loss of progress.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
// The same for zero-terminated text; must not be called at the terminator.
char32_t DecodeUtf8(const char*& text);

// Writes `ch` as UTF-8 at `out`, one to four bytes, and returns the end of them.
inline char* PutUtf8(char* out, char32_t ch) {
  if (ch < 0x80) {
    *out++ = static_cast<char>(ch);
  } else if (ch < 0x800) {
    *out++ = static_cast<char>(0xC0 | (ch >> 6));
    *out++ = static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (ch >> 12));
    *out++ = static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (ch >> 18));
    *out++ = static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t ch);

// The longest prefix of `text` that holds at most `maxChars` characters.
std::string_view PrefixOfChars(std::string_view text, std::size_t maxChars);

// True when no byte of `text` is 0x80 or above.
bool IsAscii(std::string_view text);

// True when every byte sequence in `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace korvane
