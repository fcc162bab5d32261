#include "store/string_index.h"

#include <cstring>

namespace korvane {
namespace {

constexpr std::uint32_t kHashSeed = 4711;
constexpr std::size_t kBlockSize = 64 * 1024;

std::uint32_t Rotl(std::uint32_t x, int r) { return (x << r) | (x >> (32 - r)); }

std::uint32_t MixBlock(std::uint32_t k) {
  k *= 0xcc9e2d51;
  k = Rotl(k, 15);
  return k * 0x1b873593;
}

}  // namespace

std::uint32_t MurmurHash3(std::string_view data, std::uint32_t seed) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  const std::size_t blocks = data.size() / 4;
  std::uint32_t h = seed;
  for (std::size_t i = 0; i < blocks; ++i) {
    std::uint32_t k = 0;
    std::memcpy(&k, bytes + i * 4, 4);  // little-endian blocks, as on x86
    h ^= MixBlock(k);
    h = Rotl(h, 13) * 5 + 0xe6546b64;
  }
  const unsigned char* tail = bytes + blocks * 4;
  std::uint32_t k = 0;
  switch (data.size() & 3) {
    case 3:
      k ^= static_cast<std::uint32_t>(tail[2]) << 16;
      [[fallthrough]];
    case 2:
      k ^= static_cast<std::uint32_t>(tail[1]) << 8;
      [[fallthrough]];
    case 1:
      k ^= tail[0];
      h ^= MixBlock(k);
  }
  h ^= static_cast<std::uint32_t>(data.size());
  h ^= h >> 16;
  h *= 0x85ebca6b;
  h ^= h >> 13;
  h *= 0xc2b2ae35;
  h ^= h >> 16;
  return h;
}

StringIndex::StringIndex() : slots_(1024) {}

StringIndex::StringIndex(StringIndex&& other) noexcept : StringIndex() { *this = std::move(other); }

StringIndex& StringIndex::operator=(StringIndex&& other) noexcept {
  if (this != &other) {
    entries_.swap(other.entries_);
    slots_.swap(other.slots_);
    blocks_.swap(other.blocks_);
    std::swap(blockUsed_, other.blockUsed_);
    std::swap(blockSize_, other.blockSize_);
    other.entries_.clear();
    other.slots_.assign(1024, Slot{});
    other.blocks_.clear();
    other.blockUsed_ = other.blockSize_ = 0;
  }
  return *this;
}

std::size_t StringIndex::Probe(std::string_view text, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.id < 0) return i;
    if (slot.hash != hash) continue;
    const Entry& entry = entries_[slot.id];
    if (entry.length == text.size() && std::memcmp(entry.text, text.data(), text.size()) == 0) {
      return i;
    }
  }
}

std::pair<int, bool> StringIndex::Insert(std::string_view text) {
  const std::uint32_t hash = MurmurHash3(text, kHashSeed);
  const std::size_t i = Probe(text, hash);
  if (slots_[i].id >= 0) return {slots_[i].id, false};
  entries_.push_back({Store(text), static_cast<std::uint32_t>(text.size())});
  slots_[i] = {Size() - 1, hash};
  if (entries_.size() * 2 > slots_.size()) Grow();
  return {Size() - 1, true};
}

int StringIndex::Find(std::string_view text) const {
  return slots_[Probe(text, MurmurHash3(text, kHashSeed))].id;
}

const char* StringIndex::Store(std::string_view text) {
  const std::size_t needed = text.size() + 1;
  if (blocks_.empty() || blockUsed_ + needed > blockSize_) {
    // Long texts get a block of their own size; the next short one starts a fresh block.
    blockSize_ = needed > kBlockSize / 4 ? needed : kBlockSize;
    blocks_.push_back(std::make_unique<char[]>(blockSize_));
    blockUsed_ = 0;
  }
  char* stored = blocks_.back().get() + blockUsed_;
  std::memcpy(stored, text.data(), text.size());
  stored[text.size()] = 0;
  blockUsed_ += needed;
  return stored;
}

void StringIndex::Grow() {
  std::vector<Slot> slots(slots_.size() * 2);
  const std::size_t mask = slots.size() - 1;
  for (const Slot& slot : slots_) {
    if (slot.id < 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots[i].id >= 0) i = (i + 1) & mask;
    slots[i] = slot;
  }
  slots_.swap(slots);
}

}  // namespace korvane
