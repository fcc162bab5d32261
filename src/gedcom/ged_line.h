#pragma once

#include <string_view>

namespace korvane {

// The parts of a GEDCOM line: level, optional cross-reference, tag and value.
struct GedLineParts {
  int level = -1;  // -1: the line has no leading level number
  std::string_view xref;   // "@I12@" of a record line, else empty
  std::string_view tag;
  std::string_view value;  // everything behind the tag and one blank
};

// Splits a line (UTF-8 or the raw bytes of an ASCII-compatible encoding). Leading blanks
// are allowed; levels of any size are read (saturating) so deep or absurd levels never
// overflow; blanks between the parts may be more than one. Inline: every line of a load
// goes through here.
inline GedLineParts ParseGedLine(std::string_view line) {
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

// "@N5@": a pointer value (no blanks inside).
bool IsPointerValue(std::string_view value);

// The record number in a cross-reference: its digits when it is letters followed by
// digits ("@I12@", "@P12@", "@PERSON1@", "@I0012@" all give 12 or 1), else 0. Numbers
// above `limit` give 0 too.
int XrefNumber(std::string_view xref, int limit);

}  // namespace korvane
