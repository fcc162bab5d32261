#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "text/cp1252.h"

namespace korvane {
namespace {

std::u32string DecodeAll(std::string_view text) {
  std::u32string out;
  for (std::size_t pos = 0; pos < text.size();) out += DecodeUtf8(text, pos);
  return out;
}

TEST(Utf8, DecodesWellFormedSequencesAndMalformedBytesOneByOneAsCodePage1252) {
  std::string encoded;
  for (char32_t ch : {U'A', U'ß', U'Ж', U'€', U'😀'}) AppendUtf8(encoded, ch);
  EXPECT_EQ(DecodeAll(encoded), U"AßЖ€😀");
  // Lone lead and continuation bytes, an overlong form, an encoded surrogate, a truncated
  // sequence and one above U+10FFFF.
  EXPECT_EQ(DecodeAll("\xE4\x80\xC0\xAF"), U"ä€À¯");
  EXPECT_EQ(DecodeAll("\xED\xA0\x80"), U"í\u00A0€");
  EXPECT_EQ(DecodeAll("a\xE2\x82"), U"aâ‚");
  EXPECT_EQ(DecodeAll("\xF4\x90\x80\x80").size(), 4u);
  EXPECT_TRUE(IsValidUtf8("Müller"));
  EXPECT_FALSE(IsValidUtf8("M\xFCller"));
  EXPECT_EQ(PrefixOfChars("Müller", 2), "Mü");  // counted in characters, not bytes
}

// Texts are checked eight bytes at a time; a high or malformed byte at every position of
// texts of every length around that is found.
TEST(Utf8, FindsAHighOrMalformedByteAtEveryPosition) {
  for (std::size_t length = 0; length < 30; ++length) {
    const std::string plain(length, 'a');
    EXPECT_TRUE(IsAscii(plain) && IsValidUtf8(plain)) << length;
    for (std::size_t at = 0; at < length; ++at) {
      std::string high = plain, valid = plain + "a";
      high[at] = '\xFC';
      valid.replace(at, 2, "\xC3\xBC");
      EXPECT_FALSE(IsAscii(high)) << length << " " << at;
      EXPECT_FALSE(IsValidUtf8(high)) << length << " " << at;
      EXPECT_TRUE(IsValidUtf8(valid)) << length << " " << at;
    }
  }
}

TEST(Utf8, ZeroTerminatedDecodingNeverReadsPastTheTerminator) {
  const char text[] = "\xE2\x82";  // truncated before the terminator
  const char* p = text;
  EXPECT_EQ(DecodeUtf8(p), U'â');
  EXPECT_EQ(DecodeUtf8(p), U'‚');
  EXPECT_EQ(*p, 0);
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t ch = Cp1252ToUnicode(static_cast<std::uint8_t>(byte));
    ASSERT_EQ(UnicodeToCp1252(ch), byte) << "byte " << byte;
  }
  EXPECT_EQ(Cp1252ToUnicode(0x8A), U'Š');
  EXPECT_EQ(Cp1252ToUnicode(0x81), 0x81u);  // unassigned: the same value
  EXPECT_EQ(UnicodeToCp1252(U'Ж'), std::nullopt);
}

}  // namespace
}  // namespace korvane
