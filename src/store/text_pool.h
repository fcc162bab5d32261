#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "store/string_index.h"

namespace korvane {

enum class TextPoolId { Surnames = 0, GivenNames = 1, Places = 2 };

// The one empty text that stands for every empty value.
extern const char EmptyText[1];

// Interned names and places: every equal cleaned text is stored once, shared by all
// records that hold it, and never moves or changes, so records keep plain pointers and
// equal texts are often recognised by their address alone. The pool grows as needed.
class TextPool {
 public:
  // Stored text equal to the cleaned `text`: leading control characters, blanks and the
  // characters ! " # $ % & ' are skipped, the rest is cut at its first line break (or
  // NUL). Trailing blanks stay. An empty result is `EmptyText`.
  const char* Intern(TextPoolId pool, std::string_view text);

  // The stored texts of all pools, in the order they were added.
  int Size() const { return texts_.Size(); }
  std::string_view At(int id) const { return texts_.At(id); }

 private:
  friend class TextPoolMap;
  // Intern for a text clean already, past the cache of recent texts (a whole pool of
  // distinct texts, as TextPoolMap brings, would only wear it out).
  const char* Adopt(std::string_view cleanText) {
    if (cleanText.empty()) return EmptyText;
    return texts_.At(texts_.Insert(cleanText).first).data();
  }

  // Recently interned short texts by hash, small enough to stay in the processor's cache:
  // most names and places of a file repeat, and these are found here without a visit to
  // the index. The text is kept in the entry, padded with zeros, so a hit compares three
  // words and reads nothing else.
  struct Recent {
    std::array<std::uint64_t, 3> text{};
    const char* stored = nullptr;
  };
  // Longer texts (most places) are cached by a hash of their bytes and confirmed against
  // the stored text, so only texts stored as given, with nothing to clean, are cached.
  struct RecentLong {
    std::uint64_t hash = 0;
    const char* stored = nullptr;
    std::size_t length = 0;
  };
  static constexpr int kRecentBits = 14;

  const char* InternLong(std::string_view text);

  StringIndex texts_;
  std::unique_ptr<Recent[]> recent_;  // made on first use
  std::unique_ptr<RecentLong[]> recentLong_;
};

// The texts of one pool as another pool stores them, found by address: records read
// into a pool of their own move into the other by replacing their text pointers.
class TextPoolMap {
  struct Slot {
    const char* from = nullptr;
    const char* into = nullptr;
  };

 public:
  // The texts a thread mapped last: most records repeat a few names and places, which
  // are found here, in the processor's nearest cache, instead of in the whole map.
  class Recent {
    friend class TextPoolMap;
    static constexpr int kBits = 10;
    std::array<Slot, 1 << kBits> slots_{};
  };

  // Interns every text of `from` in `into`.
  TextPoolMap(const TextPool& from, TextPool& into);
  // Texts the pool does not hold (none, the empty text) stay as they are.
  void operator()(const char*& text) const;
  // The same, through the calling thread's `recent`.
  void operator()(const char*& text, Recent& recent) const;

 private:
  std::size_t SlotOf(const char* text) const;
  std::vector<Slot> slots_;  // open addressing by address
};

// The text as the pool stores it (see TextPool::Intern), without storing it.
std::string_view CleanPoolText(std::string_view text);

// Interns `text` in `pool`; see TextPool::Intern.
inline const char* InternText(TextPool& texts, TextPoolId pool, std::string_view text) {
  return texts.Intern(pool, text);
}

}  // namespace korvane
