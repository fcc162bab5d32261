#include "gedcom/ged_line.h"

namespace korvane {
namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

}  // namespace

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
