#include "editing/field_text.h"

#include <algorithm>

#include "text/utf8.h"

namespace korvane::editing {
namespace {

// The caret and selection within the text, whatever the widget sent.
struct Span {
  int start;
  int length;
};
Span ClampedSelection(const FieldText& field) {
  const int count = CharCount(field.text);
  const int start = std::clamp(field.selectionStart, 0, count);
  return {start, std::clamp(field.selectionLength, 0, count - start)};
}

FieldText Cut(const FieldText& field, int start, int length) {
  const std::size_t from = ByteOffset(field.text, start);
  const std::size_t to = ByteOffset(field.text, start + length);
  return {field.text.substr(0, from) + field.text.substr(to), start, 0};
}

bool HasUpperCase(char32_t ch) {
  return (ch >= U'a' && ch <= U'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7);
}

}  // namespace

int CharCount(std::string_view text) {
  int count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) DecodeUtf8(text, pos);
  return count;
}

std::size_t ByteOffset(std::string_view text, int chars) {
  std::size_t pos = 0;
  for (int i = 0; i < chars && pos < text.size(); ++i) DecodeUtf8(text, pos);
  return pos;
}

FieldText ReplaceSelection(const FieldText& field, std::string_view insert) {
  const Span span = ClampedSelection(field);
  FieldText result = Cut(field, span.start, span.length);
  result.text.insert(ByteOffset(result.text, span.start), insert);
  result.selectionStart = span.start + CharCount(insert);
  return result;
}

FieldText DeleteBackward(const FieldText& field) {
  const Span span = ClampedSelection(field);
  if (span.length > 0) return Cut(field, span.start, span.length);
  if (span.start == 0) return {field.text, 0, 0};
  return Cut(field, span.start - 1, 1);
}

bool StartsLowerCase(std::string_view text) {
  if (text.empty()) return false;
  std::size_t pos = 0;
  return HasUpperCase(DecodeUtf8(text, pos));
}

std::string UpperFirst(std::string_view text) {
  if (!StartsLowerCase(text)) return std::string(text);
  std::size_t pos = 0;
  const char32_t first = DecodeUtf8(text, pos);
  std::string result;
  AppendUtf8(result, first - 0x20);  // a-z and the Latin-1 lower-case letters alike
  result.append(text.substr(pos));
  return result;
}

}  // namespace korvane::editing
