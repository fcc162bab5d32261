#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvane {

// The parts of a GEDCOM line: level, optional cross-reference, tag and value.
struct GedLineParts {
  int level = -1;         // -1: the line has no leading level number
  std::string_view xref;  // "@I12@" of a record line, else empty
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

// The position of the first blank (' ' or '\t') of `line` from `from` on, or its size;
// eight bytes at a time, the last eight overlapping those before. The bit trick marks
// the lowest blank of a word exactly.
inline std::size_t WordEnd(std::string_view line, std::size_t from) {
  auto blanks = [&](std::size_t pos) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    std::uint64_t bytes;
    std::memcpy(&bytes, line.data() + pos, 8);
    const std::uint64_t spaces = bytes ^ (kOnes * ' '), tabs = bytes ^ (kOnes * '\t');
    return ((spaces - kOnes) & ~spaces & kHighs) | ((tabs - kOnes) & ~tabs & kHighs);
  };
  if (line.size() - from < 8) {
    while (from < line.size() && line[from] != ' ' && line[from] != '\t') ++from;
    return from;
  }
  for (; from + 8 <= line.size(); from += 8) {
    if (const std::uint64_t found = blanks(from); found != 0) {
      return from + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  const std::size_t last = line.size() - 8;
  const std::uint64_t found = blanks(last);
  return found != 0 ? last + static_cast<std::size_t>(std::countr_zero(found)) / 8 : line.size();
}

// Splits a line (UTF-8 or the raw bytes of an ASCII-compatible encoding). Leading blanks
// are allowed; levels of any size are read (saturating) so deep or absurd levels never
// overflow; blanks between the parts may be more than one. Inline: every line of a load
// goes through here.
inline GedLineParts ParseGedLine(std::string_view line) {
  // Nearly every line reads "<digit> [<xref> ]<tag>[ <value>]" with single blanks; those
  // are taken apart here, every other form the general way.
  auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
  if (line.size() < 3 || line[0] < '0' || line[0] > '9' || line[1] != ' ' || isBlank(line[2])) {
    return ParseGedLineSlowly(line);
  }
  GedLineParts parts;
  parts.level = line[0] - '0';
  std::size_t end = WordEnd(line, 2);
  parts.tag = line.substr(2, end - 2);
  if (parts.tag.size() > 1 && parts.tag.front() == '@' && parts.tag.back() == '@') {
    if (end + 1 >= line.size() || line[end] != ' ' || isBlank(line[end + 1])) {
      return ParseGedLineSlowly(line);
    }
    parts.xref = parts.tag;
    const std::size_t tagStart = end + 1;
    end = WordEnd(line, tagStart);
    parts.tag = line.substr(tagStart, end - tagStart);
  }
  if (end < line.size()) parts.value = line.substr(end + 1);  // one blank separates the value
  return parts;
}

// Bytes that may be read behind the end of a line handed to ParsePaddedGedLine.
constexpr std::size_t kGedLinePadding = 16;

// ParseGedLine for a line followed by at least kGedLinePadding readable bytes, as a
// LineReader hands them out: the blanks of the first 16 bytes are found at once.
inline GedLineParts ParsePaddedGedLine(std::string_view line) {
#if defined(__SSE2__)
  const char* text = line.data();
  const std::size_t size = line.size();
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
  auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
  std::uint32_t blanks = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(
      _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')))));
  // The end of the line counts as a blank; a line longer than 16 bytes gets a mark at 16
  // that means "look further".
  blanks = size < 16 ? (blanks | ~std::uint32_t{0} << size) : (blanks & 0xFFFFu) | 0x10000u;
  // "<digit> <non-blank>", the usual start; anything else goes the general way.
  if (text[0] < '0' || text[0] > '9' || text[1] != ' ' || (blanks & 4u) != 0) {
    return ParseGedLineSlowly(line);
  }
  // The first blank at or behind `from` (a non-blank), or the size.
  auto wordEnd = [&](std::size_t from) -> std::size_t {
    if (from < 16) {
      const auto end = static_cast<std::size_t>(std::countr_zero(blanks >> from << from));
      if (end < 16 || size <= 16) return end;
      from = 16;
    }
    return WordEnd(line, from);
  };
  GedLineParts parts;
  parts.level = text[0] - '0';
  std::size_t end = wordEnd(3);
  if (text[2] == '@' && end > 3 && text[end - 1] == '@') {
    if (end + 1 >= size || text[end] != ' ' || blank(text[end + 1])) {
      return ParseGedLineSlowly(line);
    }
    parts.xref = std::string_view(text + 2, end - 2);
    const std::size_t tagStart = end + 1;
    end = wordEnd(tagStart + 1);
    parts.tag = std::string_view(text + tagStart, end - tagStart);
  } else {
    parts.tag = std::string_view(text + 2, end - 2);
  }
  if (end < size) parts.value = std::string_view(text + end + 1, size - end - 1);
  return parts;
#else
  return ParseGedLine(line);
#endif
}

// "@N5@": a pointer value (no blanks inside).
bool IsPointerValue(std::string_view value);

// The record number in a cross-reference: its digits when it is letters followed by
// digits ("@I12@", "@P12@", "@PERSON1@", "@I0012@" all give 12 or 1), else 0. Numbers
// above `limit` give 0 too.
int XrefNumber(std::string_view xref, int limit);

}  // namespace korvane
