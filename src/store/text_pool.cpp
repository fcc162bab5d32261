#include "store/text_pool.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace korvane {
namespace {

// The position of the first NUL, CR or LF of `text` from `from` on, or its size; eight
// bytes at a time, the last eight overlapping those before (the lowest byte the bit trick
// marks is exact).
std::size_t EndOfFirstLine(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  auto ends = [&](std::size_t pos) {
    std::uint64_t bytes;
    std::memcpy(&bytes, text.data() + pos, 8);
    auto zeros = [](std::uint64_t b) { return (b - kOnes) & ~b & kHighs; };
    return zeros(bytes) | zeros(bytes ^ (kOnes * '\r')) | zeros(bytes ^ (kOnes * '\n'));
  };
  if (text.size() - from < 8) {
    std::size_t pos = from;
    while (pos < text.size() && text[pos] != '\0' && text[pos] != '\r' && text[pos] != '\n') {
      ++pos;
    }
    return pos;
  }
  for (std::size_t pos = from; pos + 8 <= text.size(); pos += 8) {
    if (const std::uint64_t found = ends(pos); found != 0) {
      return pos + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  const std::size_t last = text.size() - 8;
  const std::uint64_t found = ends(last);
  return found != 0 ? last + static_cast<std::size_t>(std::countr_zero(found)) / 8 : text.size();
}

}  // namespace

// A NUL ends a text wherever it stands, as it would end a zero-terminated one.
std::string_view CleanPoolText(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] != '\0' &&
         static_cast<unsigned char>(text[start]) < 0x28) {
    ++start;
  }
  return text.substr(start, EndOfFirstLine(text, start) - start);
}

const char EmptyText[1] = {0};

const char* TextPool::Intern(TextPoolId /*pool*/, std::string_view text) {
  // The cache is keyed by the text as given, so a hit needs no cleaning either. Padding
  // with zeros is harmless: a NUL ends a text, so texts that differ only in trailing NULs
  // clean alike.
  std::array<std::uint64_t, 3> padded{};
  if (text.size() > sizeof padded) return InternLong(text);
  if (!text.empty()) std::memcpy(padded.data(), text.data(), text.size());  // data() may be null
  std::uint64_t mix = (padded[0] ^ 0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull;
  mix = (mix ^ (mix >> 31) ^ padded[1]) * 0x94D049BB133111EBull;
  mix = (mix ^ (mix >> 29) ^ padded[2]) * 0x9E3779B97F4A7C15ull;
  if (recent_ == nullptr) recent_ = std::make_unique<Recent[]>(std::size_t{1} << kRecentBits);
  Recent& recent = recent_[mix >> (64 - kRecentBits)];
  if (recent.stored == nullptr || recent.text != padded) {
    recent.stored = Adopt(CleanPoolText(text));
    recent.text = padded;
  }
  return recent.stored;
}

const char* TextPool::InternLong(std::string_view text) {
  // Eight bytes at a time, the last eight overlapping those before (texts here are longer).
  std::uint64_t hash = text.size() * 0x9E3779B97F4A7C15ull, word;
  auto mix = [&](std::size_t pos) {
    std::memcpy(&word, text.data() + pos, 8);
    hash = (hash ^ word) * 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 31;
  };
  for (std::size_t pos = 0; pos + 8 <= text.size(); pos += 8) mix(pos);
  if (text.size() % 8 != 0) mix(text.size() - 8);
  if (recentLong_ == nullptr) {
    recentLong_ = std::make_unique<RecentLong[]>(std::size_t{1} << kRecentBits);
  }
  RecentLong& recent = recentLong_[hash >> (64 - kRecentBits)];
  if (recent.hash == hash && recent.length == text.size() &&
      std::memcmp(recent.stored, text.data(), text.size()) == 0) {
    return recent.stored;
  }
  const std::string_view clean = CleanPoolText(text);
  const char* stored = Adopt(clean);
  if (clean.size() == text.size()) recent = {hash, stored, text.size()};
  return stored;
}

TextPoolMap::TextPoolMap(const TextPool& from, TextPool& into) {
  std::size_t size = 16;
  while (size < 2 * static_cast<std::size_t>(from.Size())) size *= 2;
  slots_.resize(size);
  for (int id = 0; id < from.Size(); ++id) {
    const std::string_view text = from.At(id);
    std::size_t slot = SlotOf(text.data());
    while (slots_[slot].from != nullptr) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = {text.data(), into.Adopt(text)};
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

void TextPoolMap::operator()(const char*& text, Recent& recent) const {
  if (text == nullptr) return;
  const auto bits = reinterpret_cast<std::uintptr_t>(text);
  Slot& slot = recent.slots_[(bits * 0x9E3779B97F4A7C15ull) >> (64 - Recent::kBits)];
  if (slot.from != text) {
    slot.from = text;
    (*this)(text);
    slot.into = text;
    return;
  }
  text = slot.into;
}

std::size_t TextPoolMap::SlotOf(const char* text) const {
  const auto bits = reinterpret_cast<std::uintptr_t>(text);
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
}

}  // namespace korvane
