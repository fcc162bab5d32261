#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "gedcom/file_encoding.h"
#include "gedcom/ged_line.h"
#include "gedcom/line_copy.h"
#include "gedcom/line_reader.h"
#include "gedcom/line_writer.h"
#include "gedcom_test_util.h"
#include "text/utf8.h"

namespace korvane::gedcom_test {
namespace {

using Lines = std::vector<std::string>;
const std::string kUtf8Mark = "\xEF\xBB\xBF", kLeMark = "\xFF\xFE", kBeMark = "\xFE\xFF";

std::string Utf16(std::u16string_view units, bool little = true) {
  std::string bytes;
  for (const char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    (bytes += little ? low : high) += little ? high : low;
  }
  return bytes;
}

// All lines of `bytes` as UTF-8 text, read in the encoding the bytes announce.
Lines TextLines(std::string_view bytes) {
  FilePtr file = FileWith(bytes);
  LineReader reader(*file, DetectEncoding(*file));
  Lines lines;
  for (GedLine line; reader.ReadLine(line);) lines.emplace_back(line.text);
  return lines;
}

// What LineWriter makes of UTF-8 lines.
std::string Written(FileEncoding encoding, const Lines& lines) {
  MemoryOutputFile file;
  LineWriter writer(file, encoding);
  writer.WriteByteOrderMark();
  for (const std::string& line : lines) writer.WriteLine(line);
  EXPECT_TRUE(writer.Finish());
  return file.bytes;
}

TEST(DetectEncoding, WithoutAMarkDecidesByDeclarationThenContent) {
  const auto detect = [](std::string_view bytes) {
    return DetectEncoding(*FileWith(bytes)).encoding;
  };
  EXPECT_EQ(detect(Ged("0 HEAD|1 CHAR UTF-8|1 NOTE M\xFCller")), FileEncoding::Utf8);
  EXPECT_EQ(detect(Ged("0 HEAD|1 NOTE M\xFCller")), FileEncoding::Cp1252);
  EXPECT_EQ(detect("\xEF\xBB" + std::string("0 HEAD")), FileEncoding::Cp1252);  // a cut mark
  // Valid UTF-8 cut by the end of the first 64 KiB.
  EXPECT_EQ(detect(std::string(64 * 1024 - 1, 'a') + "\xC3\xA4"), FileEncoding::Utf8);
}

// Each encoding with its mark, written and read back; the writer stops at a line break
// inside a line and writes what code page 1252 lacks as "?".
TEST(LineWriter, WritesAndReadsBackEachEncoding) {
  const Lines lines = {"B\xC3\xA4r \xE2\x82\xAC\xF0\x9F\x98\x80\nnot written", "\xC5\x81"};
  const Lines back = {"B\xC3\xA4r \xE2\x82\xAC\xF0\x9F\x98\x80", "\xC5\x81"};
  const std::u16string units = u"B\u00e4r \u20ac\U0001F600\r\n\u0141\r\n";
  const struct {
    FileEncoding encoding;
    std::size_t bomLength;
    std::string bytes;
  } cases[] = {{FileEncoding::Cp1252, 0, "B\xE4r \x80?\r\n?\r\n"},
               {FileEncoding::Utf8, 3, kUtf8Mark + back[0] + "\r\n" + back[1] + "\r\n"},
               {FileEncoding::Utf16Le, 2, kLeMark + Utf16(units)},
               {FileEncoding::Utf16Be, 2, kBeMark + Utf16(units, false)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.encoding));
    EXPECT_EQ(Written(c.encoding, lines), c.bytes);
    FilePtr file = FileWith(c.bytes);
    const DetectedEncoding detected = DetectEncoding(*file);
    EXPECT_EQ(detected.encoding, c.encoding);
    EXPECT_EQ(detected.bomLength, c.bomLength);
    if (c.encoding != FileEncoding::Cp1252) {
      EXPECT_EQ(TextLines(c.bytes), back);
    }
  }
  // Invalid UTF-8 bytes are taken as their code-page-1252 characters; a lone surrogate and
  // an odd byte at the end of a UTF-16 file become U+FFFD.
  EXPECT_EQ(TextLines(kUtf8Mark + "J\xFCrgen \x80 \xC3"),
            Lines{"J\xC3\xBCrgen \xE2\x82\xAC \xC3\x83"});
  EXPECT_EQ(TextLines(kLeMark + Utf16(u"x\xD800y") + "!"), Lines{"x\xEF\xBF\xBDy\xEF\xBF\xBD"});
}

// The export steps over the rest of a record it writes itself and copies other lines as
// their bytes and line ends stand (a last line without one stays so).
TEST(LineCopy, SkipsTheRestOfARecordAndCopiesLinesUnchanged) {
  FilePtr in = FileWith("0 @I1@ INDI\n1 NAME A /B/\n2 GIVN A\n0 @N1@ NOTE x\xE4\r1 CONT y");
  MemoryOutputFile out;
  LineReader reader(*in, FileEncoding::Cp1252);
  LineWriter writer(out, FileEncoding::Cp1252);
  GedLine line;
  ASSERT_TRUE(reader.ReadLine(line));
  SkipRecordRest(reader);
  EXPECT_TRUE(CopyLine(reader, writer));
  EXPECT_TRUE(CopyLine(reader, writer));
  EXPECT_FALSE(CopyLine(reader, writer));
  ASSERT_TRUE(writer.Finish());
  EXPECT_EQ(out.bytes, "0 @N1@ NOTE x\xE4\r1 CONT y");
}

// All 256 byte values: CR and LF as the line ends, every other one inside the note.
TEST(LineWriter, RoundTripsAllByteValuesOfCodePage1252) {
  std::string file = "0 HEAD\r\n1 NOTE ";
  for (int value = 0; value < 256; ++value) {
    if (value != '\r' && value != '\n') file += static_cast<char>(value);
  }
  file += "\r\n";
  const Lines texts = TextLines(file);
  ASSERT_EQ(texts.size(), 2u);
  // 0x80 0x81 are the euro sign and an unassigned U+0081, 0x9F 0xA0 are Ÿ and a no-break space.
  EXPECT_NE(texts[1].find("\xE2\x82\xAC\xC2\x81"), std::string::npos);
  EXPECT_NE(texts[1].find("\xC5\xB8\xC2\xA0"), std::string::npos);
  EXPECT_EQ(Written(FileEncoding::Cp1252, texts), file);
}

TEST(LineReader, EveryLineEndEndsALineInEveryEncoding) {
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},  {"a\nb\n", {"a", "b"}},         {"a\rb\r", {"a", "b"}},
      {"a\n\rb\n\r", {"a", "b"}},  {"a\r\n\r\nb", {"a", "", "b"}}, {"a\r\rb", {"a", "", "b"}},
      {"a\r\nlast", {"a", "last"}}};
  for (const auto& [text, lines] : cases) {
    SCOPED_TRACE(testing::PrintToString(text));
    const std::u16string units(text.begin(), text.end());
    EXPECT_EQ(TextLines(text), lines);
    EXPECT_EQ(TextLines(kUtf8Mark + text), lines);
    EXPECT_EQ(TextLines(kLeMark + Utf16(units)), lines);
    EXPECT_EQ(TextLines(kBeMark + Utf16(units, false)), lines);
  }
}

TEST(LineReader, ReadsVeryLongLinesWhole) {
  constexpr std::size_t kMiB = 1 << 20, kBuffer = LineReader::kBufferBytes;
  // The CR of the first line end is the last byte of the first buffer: the LF behind it must
  // not make an empty line of its own.
  const std::string first(kBuffer - 1, 'x');
  const std::string second = "1 NOTE " + std::string(3 * kMiB, 'y');
  std::vector<std::size_t> lengths;
  for (const std::string& line :
       TextLines(first + "\r\n" + std::string(999, 'z') + "\r\n" + second + "\r\n0 TRLR")) {
    lengths.push_back(line.size());
  }
  EXPECT_EQ(lengths, (std::vector<std::size_t>{first.size(), 999, second.size(), 6}));
  // The same in UTF-16: behind the mark, the CR unit ends the first buffer.
  const std::u16string wide(kBuffer / 2 - 1, u'w');
  EXPECT_EQ(TextLines(kLeMark + Utf16(wide) + Utf16(u"\r\n\u00e4\r\n")),
            (Lines{std::string(wide.size(), 'w'), "\xC3\xA4"}));
  // Short lines up to there, the CR of one of them the last unit of the first buffer and
  // the last of the eight units the reader looks at together.
  const std::size_t firstUnits = 2 + (kBuffer / 2 - 10) % 9;
  std::u16string shortLines = std::u16string(firstUnits - 2, u'a') + u"\r\n";
  while (shortLines.size() < kBuffer) shortLines += u"uvwxyzu\r\n";
  ASSERT_EQ(shortLines[kBuffer / 2 - 1], u'\r');
  Lines expected((shortLines.size() - firstUnits) / 9, "uvwxyzu");
  expected.insert(expected.begin(), std::string(firstUnits - 2, 'a'));
  EXPECT_EQ(TextLines(kLeMark + Utf16(shortLines)), expected);
  EXPECT_EQ(TextLines(kBeMark + Utf16(shortLines, false)), expected);
}

// Random lines of every length around the reader's 64-byte masks and its buffer's end,
// with every kind of line end and "@" anywhere: each line as a plain split finds it. The
// same lines in UTF-16, some with characters beyond ASCII, in both byte orders.
TEST(LineReader, FindsEveryLineAndEveryPointerSignAsAPlainSplitDoes) {
  std::mt19937 random(7);
  struct Expected {
    std::u16string units;
    std::uint64_t offset, next;  // in units
  };
  std::vector<Expected> expected;
  const char16_t* ends[] = {u"\r\n", u"\n", u"\r", u"\n\r"};
  const char16_t others[] = {u'\u00e4', u'\u20ac', u'\u0d0d', u'\u0a40', u'\u4000'};
  std::u16string all, end;
  while (all.size() < 3u << 20) {
    // An empty line behind a lone CR or LF would pair with it.
    const std::size_t length =
        (random() % 8 == 0 ? random() % 300 : random() % 70) + (end.size() == 1);
    const bool ascii = random() % 4 != 0;
    std::u16string units(length, u'a');
    for (char16_t& unit : units) {
      unit = random() % 40 == 0 ? u'@' : static_cast<char16_t>(u'a' + random() % 26);
      if (!ascii && random() % 10 == 0) unit = others[random() % std::size(others)];
    }
    end = ends[random() % 4];
    expected.push_back({units, all.size(), all.size() + units.size() + end.size()});
    all += units + end;
  }
  all += u"0 TRLR @";  // no line end
  expected.push_back({u"0 TRLR @", expected.back().next, all.size()});
  auto utf8 = [](const std::u16string& units) {
    std::string text;
    for (const char16_t unit : units) AppendUtf8(text, unit);
    return text;
  };
  struct Form {
    FileEncoding encoding;
    std::string bytes;
    std::uint64_t unit, mark;
  };
  std::string narrow;
  for (const char16_t unit : all) narrow += static_cast<char>(unit < 0x80 ? unit : '?');
  for (const Form& form : {Form{FileEncoding::Cp1252, narrow, 1, 0},
                           Form{FileEncoding::Utf16Le, kLeMark + Utf16(all), 2, 2},
                           Form{FileEncoding::Utf16Be, kBeMark + Utf16(all, false), 2, 2}}) {
    SCOPED_TRACE(static_cast<int>(form.encoding));
    const FilePtr file = FileWith(form.bytes);
    LineReader reader(*file, form.encoding, form.mark);
    reader.SetDecodeLines(false);
    GedLine line;
    for (const Expected& e : expected) {
      ASSERT_TRUE(reader.ReadLine(line)) << e.offset;
      ASSERT_EQ(line.offset, form.mark + e.offset * form.unit);
      ASSERT_EQ(line.nextOffset, form.mark + e.next * form.unit);
      const std::string text =
          form.unit == 1 ? narrow.substr(e.offset, e.units.size()) : utf8(e.units);
      ASSERT_EQ(line.text, text) << e.offset;
      ASSERT_EQ(line.hasAt, e.units.find(u'@') != std::u16string::npos) << e.offset;
    }
    EXPECT_FALSE(reader.ReadLine(line));
  }
}

// Lines of the usual form are taken apart a short way; it must agree with the general
// way on every line, also where blanks, '@' or '!' stand near the start.
TEST(ParseGedLine, ShortWayAgreesWithTheGeneralWay) {
  const char* pieces[] = {"0",
                          "1",
                          "2",
                          "12",
                          " ",
                          "  ",
                          "\t",
                          "!",
                          "NAME",
                          "DATE",
                          "@I1@",
                          "_X",
                          "A",
                          "LONGTAGNAME",
                          "Hans /Alt/",
                          "@F1@",
                          "x y",
                          "\r",
                          "@VERYLONGXREF1@",
                          "SEHRLANGERTAGNAME"};
  std::mt19937 random(11);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (int i = 1 + static_cast<int>(random() % 7); i > 0; --i) {
      line += pieces[random() % std::size(pieces)];
    }
    // The padded way may read behind the line: what stands there must not matter.
    std::string padded = line;
    for (std::size_t i = 0; i < kGedLinePadding; ++i) padded += " \tx@"[random() % 4];
    const GedLineParts general = ParseGedLineSlowly(line);
    for (const GedLineParts& quick :
         {ParseGedLine(line),
          ParsePaddedGedLine(std::string_view(padded).substr(0, line.size()))}) {
      ASSERT_EQ(quick.level, general.level) << line;
      ASSERT_EQ(quick.xref, general.xref) << line;
      ASSERT_EQ(quick.tag, general.tag) << line;
      ASSERT_EQ(quick.value, general.value) << line;
    }
  }
  const GedLineParts name = ParseGedLine("1 NAME Hans /Alt/");
  EXPECT_EQ(name.level, 1);
  EXPECT_EQ(name.tag, "NAME");
  EXPECT_EQ(name.value, "Hans /Alt/");
  EXPECT_EQ(ParseGedLine("2 DATE  12 MAR").value, " 12 MAR");  // one blank separates
}

}  // namespace
}  // namespace korvane::gedcom_test
