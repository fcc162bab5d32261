#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

// A set of distinct strings with dense ids in order of insertion. Each string is stored
// once, zero-terminated, and never moves, so its address can be kept.
class StringIndex {
 public:
  StringIndex();
  StringIndex(const StringIndex&) = delete;
  StringIndex& operator=(const StringIndex&) = delete;
  // A moved-from index is empty and usable.
  StringIndex(StringIndex&& other) noexcept;
  StringIndex& operator=(StringIndex&& other) noexcept;

  // The id of `text`, and whether it was added just now.
  std::pair<int, bool> Insert(std::string_view text);
  // The id of `text`, or -1.
  int Find(std::string_view text) const;
  // The stored text of an id; its data() is zero-terminated.
  std::string_view At(int id) const { return {entries_[id].text, entries_[id].length}; }
  int Size() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    const char* text;
    std::uint32_t length;
  };

  std::size_t Probe(std::string_view text, std::uint32_t hash) const;
  const char* Store(std::string_view text);
  void Grow();

  std::vector<Entry> entries_;
  struct Slot {
    std::int32_t id = -1;  // -1 = free
    std::uint32_t hash = 0;
  };
  std::vector<Slot> slots_;  // open addressing; the hash spares visits to unequal entries
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockUsed_ = 0;
  std::size_t blockSize_ = 0;
};

std::uint32_t MurmurHash3(std::string_view data, std::uint32_t seed);

}  // namespace korvane
