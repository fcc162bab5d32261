#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace korvane {

// The parts of a GEDCOM line: level, optional cross-reference, tag and value.
struct GedLineParts {
  int level = -1;  // -1: the line has no leading level number
  std::string_view xref;   // "@I12@" of a record line, else empty
  std::string_view tag;
  std::string_view value;  // everything behind the tag and one blank
};

// The general way of ParseGedLine (below), for every form of line.
inline GedLineParts ParseGedLineSlowly(std::string_view line) {
  constexpr int kLevelCap = 1000;
  auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
  auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
  GedLineParts parts;
  std::size_t pos = 0;
  while (pos < line.size() && isBlank(line[pos])) ++pos;
  if (pos == line.size() || !isDigit(line[pos])) return parts;
  int level = 0;
  for (; pos < line.size() && isDigit(line[pos]); ++pos) {
    level = level >= kLevelCap ? kLevelCap : level * 10 + (line[pos] - '0');
  }
  parts.level = level;
  auto word = [&]() {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos])) ++pos;
    return line.substr(start, pos - start);
  };
  parts.tag = word();
  if (!parts.tag.empty() && parts.tag.front() == '@' && parts.tag.size() > 1 &&
      parts.tag.back() == '@') {
    parts.xref = parts.tag;
    parts.tag = word();
  }
  if (pos < line.size()) parts.value = line.substr(pos + 1);  // one blank separates the value
  return parts;
}

// Splits a line (UTF-8 or the raw bytes of an ASCII-compatible encoding). Leading blanks
// are allowed; levels of any size are read (saturating) so deep or absurd levels never
// overflow; blanks between the parts may be more than one. Inline: every line of a load
// goes through here.
inline GedLineParts ParseGedLine(std::string_view line) {
  // Nearly every line reads "<digit> <tag> <value>" with a tag that ends within its first
  // eight bytes: those are taken apart with one word of eight bytes.
  if (line.size() >= 8) {
    std::uint64_t bytes;
    std::memcpy(&bytes, line.data(), 8);
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    const std::uint64_t spaces = bytes ^ (kOnes * ' '), tabs = bytes ^ (kOnes * '\t');
    // A high bit at every blank byte. Subtracting borrows past the blank of byte 1 and
    // marks byte 2 falsely when it is '!': a marked byte 2 sends the line the general
    // way, and above an unmarked one the lowest mark is exact.
    const std::uint64_t blanks =
        ((spaces - kOnes) & ~spaces & kHighs) | ((tabs - kOnes) & ~tabs & kHighs);
    const char level = line[0];
    if (level >= '0' && level <= '9' && line[1] == ' ' && line[2] != '@' &&
        (blanks & 0x808080) == 0x8000) {
      const std::uint64_t after = blanks >> 24;  // blanks from byte 3 on
      if (after != 0) {
        const auto tagEnd = static_cast<std::size_t>(3 + __builtin_ctzll(after) / 8);
        GedLineParts parts;
        parts.level = level - '0';
        parts.tag = line.substr(2, tagEnd - 2);
        parts.value = line.substr(tagEnd + 1);
        return parts;
      }
    }
  }
  return ParseGedLineSlowly(line);
}

// "@N5@": a pointer value (no blanks inside).
bool IsPointerValue(std::string_view value);

// The record number in a cross-reference: its digits when it is letters followed by
// digits ("@I12@", "@P12@", "@PERSON1@", "@I0012@" all give 12 or 1), else 0. Numbers
// above `limit` give 0 too.
int XrefNumber(std::string_view xref, int limit);

}  // namespace korvane
