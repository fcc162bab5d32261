#include "store/text_pool.h"

#include <cstring>

namespace korvane {
// A NUL ends a text wherever it stands, as it would end a zero-terminated one.
std::string_view CleanPoolText(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] != '\0' &&
         static_cast<unsigned char>(text[start]) < 0x28) {
    ++start;
  }
  std::size_t end = start;
  while (end < text.size() && text[end] != '\0' && text[end] != '\r' && text[end] != '\n') ++end;
  return text.substr(start, end - start);
}

const char EmptyText[1] = {0};

const char* TextPool::Intern(TextPoolId pool, std::string_view text) {
  text = CleanPoolText(text);
  if (text.empty()) return EmptyText;
  // Consecutive records often repeat a name or place; this spares the hash.
  const char*& last = lastText_[static_cast<int>(pool)];
  if (last != nullptr && std::strncmp(last, text.data(), text.size()) == 0 &&
      last[text.size()] == 0) {
    return last;
  }
  const auto [id, added] = texts_.Insert(text);
  last = texts_.At(id).data();
  return last;
}

}  // namespace korvane
