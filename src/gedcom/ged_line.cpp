#include "gedcom/ged_line.h"

namespace korvane {
namespace {

constexpr int kLevelCap = 1000;

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

}  // namespace

GedLineParts ParseGedLine(std::string_view line) {
  GedLineParts parts;
  std::size_t pos = 0;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos == line.size() || !IsDigit(line[pos])) return parts;
  int level = 0;
  for (; pos < line.size() && IsDigit(line[pos]); ++pos) {
    level = level >= kLevelCap ? kLevelCap : level * 10 + (line[pos] - '0');
  }
  parts.level = level;
  auto word = [&]() {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
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

bool IsPointerValue(std::string_view value) {
  if (value.size() < 3 || value.front() != '@' || value.back() != '@') return false;
  for (const char ch : value) {
    if (ch == ' ' || ch == '\t') return false;
  }
  return true;
}

int XrefNumber(std::string_view xref, int limit) {
  if (xref.size() < 3 || xref.front() != '@' || xref.back() != '@') return 0;
  std::string_view inner = xref.substr(1, xref.size() - 2);
  std::size_t pos = 0;
  while (pos < inner.size() && IsLetter(inner[pos])) ++pos;
  if (pos == inner.size()) return 0;
  long long number = 0;
  for (; pos < inner.size(); ++pos) {
    if (!IsDigit(inner[pos])) return 0;
    number = number * 10 + (inner[pos] - '0');
    if (number > limit) return 0;
  }
  return static_cast<int>(number);
}

}  // namespace korvane
