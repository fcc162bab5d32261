#include "dates/phonetic_code.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace korvane {
namespace {

struct Case {
  const char* name;
  const char* phonetic;
  const char* soundex;
};

void ExpectCodes(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(PhoneticCode(c.name), c.phonetic) << c.name;
    EXPECT_EQ(SoundexCode(c.name), c.soundex) << c.name;
  }
}

TEST(PhoneticCode, NamesThatSoundAlike) {
  ExpectCodes({
      {"Müller", "769", "M46"},
      {"Schmidt", "375", "S253"},
      {"Meier", "79", "M6"},
      {"Kaczmarek", "379", "K256"},  // one digit per group, however often it occurs
      {"Lindl", "685", "L534"},      // no digit twice; Soundex ignores the first letter's group
      {"Baß", "23", "B"},            // 'ß' is group 3 in the phonetic code only
      {"Li", "6", "L"},              // no padding
      {"Wolfgang Brandt", "61482", "W412"},  // cut at five digits and four characters
  });
}

TEST(PhoneticCode, StartsAtTheFirstCharacterFromUpperAToLowerZAndSkipsCharactersAboveLatin1) {
  ExpectCodes({
      {"Ödön", "58", "D5"},
      {"ßmith", "75", "M3"},  // 'ß' codes, but never starts a code
      {"`ab", "2", "@1"},     // the six characters between 'Z' and 'a' start a code too
      {"Иванов", "", ""},
      {"Иван Petrov", "1592", "P361"},
      {"Mœller", "769", "M46"},      // U+0153 must not pass for 'S' (0x53)
      {"Łukasz", "3", "U2"},         // U+0141 must not pass for 'A' (0x41)
      {"M\xFCller", "769", "M46"},   // invalid UTF-8: the code-page-1252 'ü'
      {"\342\202Bach", "23", "B2"},  // a truncated sequence (0xE2 0x82) before a letter
  });
}

}  // namespace
}  // namespace korvane
