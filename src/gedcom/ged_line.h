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
// overflow; blanks between the parts may be more than one.
GedLineParts ParseGedLine(std::string_view line);

// "@N5@": a pointer value (no blanks inside).
bool IsPointerValue(std::string_view value);

// The record number in a cross-reference: its digits when it is letters followed by
// digits ("@I12@", "@P12@", "@PERSON1@", "@I0012@" all give 12 or 1), else 0. Numbers
// above `limit` give 0 too.
int XrefNumber(std::string_view xref, int limit);

}  // namespace korvane
