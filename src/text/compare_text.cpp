#include "text/compare_text.h"

#include <array>

#include "text/utf8.h"

namespace korvane {
namespace {

constexpr char kLatin1Folding[] =
    "aaaaaaeceeeeiiiidnooooox0uuuuypsaaaaaaeceeeeiiiiOnooooo/0uuuuypy";
static_assert(sizeof(kLatin1Folding) == 64 + 1);

constexpr char32_t FoldLatin1(char32_t ch) {
  if (ch < 0x61) return ch + 0x20;
  if (ch < 0xC0) return ch;
  return static_cast<unsigned char>(kLatin1Folding[ch - 0xC0]);
}

constexpr std::array<char32_t, 0x80> kAsciiFolding = [] {
  std::array<char32_t, 0x80> table{};
  for (char32_t ch = 0; ch < 0x80; ++ch) table[ch] = FoldLatin1(ch);
  return table;
}();

// Folded value of the next character; the terminator yields the folded 0 and stays put.
char32_t NextFolded(const char*& p) {
  const auto byte = static_cast<unsigned char>(*p);
  if (byte == 0) return kAsciiFolding[0];
  if (byte < 0x80) {
    ++p;
    return kAsciiFolding[byte];
  }
  return FoldChar(DecodeUtf8(p));
}

}  // namespace

char32_t FoldChar(char32_t ch) { return ch <= 0xFF ? FoldLatin1(ch) : ch; }

int CompareText(const char* a, const char* b, int limit) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  for (int compared = 0; compared < limit; ++compared) {
    const bool ended = *a == 0 || *b == 0;
    const char32_t fa = NextFolded(a);
    const char32_t fb = NextFolded(b);
    if (fa != fb) return static_cast<int>(fa) - static_cast<int>(fb);
    if (ended) return 0;
  }
  return 0;
}

}  // namespace korvane
