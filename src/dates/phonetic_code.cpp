#include "dates/phonetic_code.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "text/utf8.h"

namespace korvane {
namespace {

// Group digits of the characters U+0000..U+00FF; 0 is no group. Characters above U+00FF
// belong to no group.
using GroupTable = std::array<std::uint8_t, 0x100>;

constexpr GroupTable MakeGroups(std::initializer_list<std::u32string_view> groups) {
  GroupTable table{};
  std::uint8_t digit = 0;
  for (const std::u32string_view letters : groups) {
    ++digit;
    for (const char32_t ch : letters) table[ch] = digit;
  }
  return table;
}

constexpr GroupTable kPhoneticGroups = MakeGroups(
    {U"pfPF", U"bvBV", U"cszkCSZK\u00DF", U"gjqGJQ", U"dtDT", U"lL", U"mM", U"nN", U"rRxX"});
constexpr GroupTable kSoundexGroups =
    MakeGroups({U"bpfvBPFV", U"cskgjqxzCSKGJQXZ", U"dtDT", U"lL", U"mnMN", U"rR"});

constexpr std::size_t kPhoneticLength = 5;
constexpr std::size_t kSoundexLength = 4;

// A code starts at the first character from 'A' to 'z'; digits, punctuation and everything
// from U+0080 up (umlauts, 'ß') before it are passed over. Null when there is none.
const char* FindStart(const char* name) {
  if (name == nullptr) return nullptr;
  for (const char* p = name; *p != '\0';) {
    const char* here = p;
    const char32_t ch = DecodeUtf8(p);
    if (ch >= 'A' && ch <= 'z') return here;
  }
  return nullptr;
}

// Appends the digits of the characters from `p` on, each digit at most once, until the code
// is `length` long.
void AppendDigits(std::string& code, const char* p, const GroupTable& groups, std::size_t length) {
  while (*p != '\0' && code.size() < length) {
    const char32_t ch = DecodeUtf8(p);
    const int group = ch < groups.size() ? groups[ch] : 0;
    if (group == 0) continue;
    const char digit = static_cast<char>('0' + group);
    if (code.find(digit) == std::string::npos) code += digit;
  }
}

}  // namespace

std::string PhoneticCode(const char* name) {
  std::string code;
  if (const char* start = FindStart(name); start != nullptr) {
    AppendDigits(code, start, kPhoneticGroups, kPhoneticLength);
  }
  return code;
}

std::string SoundexCode(const char* name) {
  std::string code;
  const char* start = FindStart(name);
  if (start == nullptr) return code;
  // The start character is ASCII, so clearing bit 5 upper-cases a letter.
  code += static_cast<char>(*start & ~0x20);
  AppendDigits(code, start + 1, kSoundexGroups, kSoundexLength);
  return code;
}

}  // namespace korvane
