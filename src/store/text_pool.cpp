#include "store/text_pool.h"

#include <cstdint>
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

const char* TextPool::Intern(TextPoolId /*pool*/, std::string_view text) {
  text = CleanPoolText(text);
  if (text.empty()) return EmptyText;
  const std::uint32_t hash = StringIndex::HashOf(text);
  if (text.size() > sizeof(Recent::text)) return texts_.At(texts_.Insert(text, hash).first).data();
  if (recent_ == nullptr) recent_ = std::make_unique<Recent[]>(kRecentEntries);
  Recent& recent = recent_[hash & (kRecentEntries - 1)];
  if (recent.length == text.size() && std::memcmp(recent.text, text.data(), text.size()) == 0) {
    return recent.stored;
  }
  recent.stored = texts_.At(texts_.Insert(text, hash).first).data();
  recent.length = static_cast<std::uint8_t>(text.size());
  std::memcpy(recent.text, text.data(), text.size());
  return recent.stored;
}

TextPoolMap::TextPoolMap(const TextPool& from, TextPool& into) {
  std::size_t size = 16;
  while (size < 2 * static_cast<std::size_t>(from.Size())) size *= 2;
  slots_.resize(size);
  for (int id = 0; id < from.Size(); ++id) {
    // The pools share one index, so the pool a text is interned in does not matter.
    const std::string_view text = from.At(id);
    std::size_t slot = SlotOf(text.data());
    while (slots_[slot].from != nullptr) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = {text.data(), into.Intern(TextPoolId::Places, text)};
  }
}

void TextPoolMap::operator()(const char*& text) const {
  if (text == nullptr) return;
  for (std::size_t slot = SlotOf(text); slots_[slot].from != nullptr;
       slot = (slot + 1) & (slots_.size() - 1)) {
    if (slots_[slot].from == text) {
      text = slots_[slot].into;
      return;
    }
  }
}

std::size_t TextPoolMap::SlotOf(const char* text) const {
  const auto bits = reinterpret_cast<std::uintptr_t>(text);
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
}

}  // namespace korvane
