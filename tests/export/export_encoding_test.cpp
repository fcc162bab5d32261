#include <gtest/gtest.h>

#include "export_test_util.h"
#include "text/utf8.h"

namespace korvane::export_test {
namespace {

// UTF-8 text as UTF-16 with its byte-order mark.
std::string Utf16(std::string_view utf8, bool little) {
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  auto unit = [&](char32_t u) {
    const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
    out += little ? low : high;
    out += little ? high : low;
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t ch = DecodeUtf8(utf8, pos);
    if (ch >= 0x10000) {
      unit(0xD800 + ((ch - 0x10000) >> 10));
      unit(0xDC00 + ((ch - 0x10000) & 0x3FF));
    } else {
      unit(ch);
    }
  }
  return out;
}

// Persons with texts outside ASCII; Jürgen is changed and his birth place rebuilt, so
// the file holds copied lines and rebuilt lines side by side.
const std::string kUtf8Input =
    "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jürgen /Müller/\n1 SEX M\n1 BIRT\n"
    "2 PLAC Köln\n1 NOTE @N4@\n1 NOTE Grüße 𝔊 aus Weißenfels\r0 @N4@ NOTE „Zitat“ ß\n"
    "0 TRLR\n";
const std::string kUtf8Output =
    "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Jürgen /Müller/\r\n1 SEX M\r\n1 BIRT\r\n"
    "2 PLAC Düsseldorf\r\n1 NOTE @N1@\r\n1 NOTE Grüße 𝔊 aus Weißenfels\r\n"
    "0 @N1@ NOTE „Zitat“ ß\r\n0 TRLR\r\n";

TEST(ExportEncoding, WritesEveryLineInTheFileEncodingAndKeepsCopiedBytes) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  };
  const Case cases[] = {
      // Code page 1252 across its whole upper half, 0x81 and 0x8D included, with LF, CR
      // and LF CR line ends.
      {"cp1252",
       "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\r1 NAME J\xFCrgen /M\xFCller/\n\r1 SEX M\n1 BIRT\n"
       "2 PLAC K\xF6ln\n1 NOTE @N4@\n1 NOTE \x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xE4\xFF\n"
       "0 @N4@ NOTE \x84Zitat\x93 \x81\xDF\n0 TRLR\n",
       "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME J\xFCrgen /M\xFCller/\r\n1 SEX M\r\n"
       "1 BIRT\r\n2 PLAC D\xFCsseldorf\r\n1 NOTE @N1@\r\n"
       "1 NOTE \x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xE4\xFF\r\n0 @N1@ NOTE \x84Zitat\x93 \x81\xDF\r\n"
       "0 TRLR\r\n"},
      {"UTF-8", kUtf8Input, kUtf8Output},
      // A stray byte that is no UTF-8 stays as it was, in a copied line and behind the
      // renumbered note's tag alike.
      {"UTF-8 with byte-order mark and a stray byte",
       "\xEF\xBB\xBF" + kUtf8Input.substr(0, kUtf8Input.find("\r0 @N4@")) +
           " \xC3\r0 @N4@ NOTE \xFF„Zitat“ ß\n0 TRLR\n",
       "\xEF\xBB\xBF" + kUtf8Output.substr(0, kUtf8Output.find("\r\n0 @N1@")) +
           " \xC3\r\n0 @N1@ NOTE \xFF„Zitat“ ß\r\n0 TRLR\r\n"},
      {"UTF-16 LE", Utf16(kUtf8Input, true), Utf16(kUtf8Output, true)},
      {"UTF-16 BE", Utf16(kUtf8Input, false), Utf16(kUtf8Output, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    ASSERT_TRUE(s.LoadText(c.input));
    s.SelectAll();
    s.P(1).birthPlace = InternText(s.store.texts, TextPoolId::Places, "Düsseldorf");
    s.P(1).flags |= ChangedFlag;
    ASSERT_TRUE(ExportTo(s.context, s.folder.Path("out.ged")));
    EXPECT_EQ(ReadFile(s.folder.Path("out.ged")), c.expected);
    EXPECT_EQ(s.BoxTexts(), Lines{});

    // Read back, the names and places are what was written.
    Session back;
    ASSERT_TRUE(back.Load(s.folder.Path("out.ged"))) << ::testing::PrintToString(back.BoxTexts());
    EXPECT_EQ(back.file.encoding.encoding, s.file.encoding.encoding);
    EXPECT_STREQ(back.P(1).surname, "Müller");
    EXPECT_STREQ(back.P(1).birthPlace, "Düsseldorf");
  }
}

}  // namespace
}  // namespace korvane::export_test
