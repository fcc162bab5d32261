#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/file_encoding.h"
#include "gedcom/ged_line.h"
#include "gedcom/line_copy.h"
#include "gedcom/line_reader.h"
#include "gedcom/line_writer.h"
#include "gedcom_test_util.h"

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

// The bytes of ASCII text in an encoding, with its byte-order mark.
std::string Encode(std::string_view ascii, FileEncoding encoding) {
  const std::u16string units(ascii.begin(), ascii.end());
  switch (encoding) {
    case FileEncoding::Cp1252:
      return std::string(ascii);
    case FileEncoding::Utf8:
      return kUtf8Mark + std::string(ascii);
    case FileEncoding::Utf16Le:
      return kLeMark + Utf16(units);
    case FileEncoding::Utf16Be:
      return kBeMark + Utf16(units, false);
  }
  return {};
}

// All lines of `bytes` as UTF-8 text, read in the encoding the bytes announce.
Lines TextLines(std::string_view bytes) {
  FilePtr file = FileWith(bytes);
  LineReader reader(file.get(), DetectEncoding(file.get()).encoding);
  Lines lines;
  for (GedLine line; reader.ReadLine(line);) lines.emplace_back(line.text);
  return lines;
}

std::string Contents(std::FILE* file) {
  std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
  return bytes;
}

// What LineWriter makes of lines: UTF-8 text through WriteLine, or raw bytes.
std::string Written(FileEncoding encoding, const Lines& lines, bool raw = false) {
  FilePtr file(std::tmpfile());
  LineWriter writer(file.get(), encoding);
  writer.WriteByteOrderMark();
  for (const std::string& line : lines) raw ? writer.WriteRawLine(line) : writer.WriteLine(line);
  EXPECT_TRUE(writer.Finish());
  return Contents(file.get());
}

TEST(DetectEncoding, DecidesByMarkThenDeclarationThenContent) {
  const std::string longAscii(100'000, 'a');
  const std::string cutAtHeaderEnd = std::string(64 * 1024 - 1, 'a') + "\xC3\xA4";
  const struct {
    std::string bytes;
    FileEncoding encoding;
    std::size_t bomLength;
  } cases[] = {{kUtf8Mark + "0 HEAD", FileEncoding::Utf8, 3},
               {kLeMark + Utf16(u"0 HEAD"), FileEncoding::Utf16Le, 2},
               {kBeMark + Utf16(u"0 HEAD", false), FileEncoding::Utf16Be, 2},
               {Ged("0 HEAD|1 CHAR UTF-8|0 @I1@ INDI"), FileEncoding::Utf8, 0},
               {Ged("0 HEAD|1 CHAR utf8"), FileEncoding::Utf8, 0},
               {Ged("0 HEAD|1 NAME M\xC3\xBCller"), FileEncoding::Utf8, 0},
               {Ged("0 HEAD|1 NAME M\xFCller"), FileEncoding::Cp1252, 0},
               {Ged("0 HEAD|1 CHAR ANSEL"), FileEncoding::Cp1252, 0},
               {longAscii + "\xC3\xA4", FileEncoding::Utf8, 0},
               {longAscii + "\xE4", FileEncoding::Cp1252, 0},
               {cutAtHeaderEnd, FileEncoding::Utf8, 0},
               {"\xEF\xBB" + std::string("0 HEAD"), FileEncoding::Cp1252, 0},  // mark cut short
               {"", FileEncoding::Cp1252, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 40));
    FilePtr file = FileWith(c.bytes);
    const DetectedEncoding detected = DetectEncoding(file.get());
    EXPECT_EQ(detected.encoding, c.encoding);
    EXPECT_EQ(detected.bomLength, c.bomLength);
    EXPECT_EQ(std::ftell(file.get()), static_cast<long>(c.bomLength));
  }
}

TEST(LineReader, EveryLineEndEndsALineInEveryEncoding) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {{"a\r\nb\r\n", {"a", "b"}},
               {"a\nb\n", {"a", "b"}},
               {"a\rb\r", {"a", "b"}},
               {"a\n\rb\n\r", {"a", "b"}},
               {"a\r\n\r\nb", {"a", "", "b"}},
               {"a\n\nb", {"a", "", "b"}},
               {"a\r\rb", {"a", "", "b"}},
               {"a\r\nlast", {"a", "last"}},
               {"last", {"last"}},
               {"\r\n", {""}},
               {"", {}}};
  for (const FileEncoding encoding :
       {FileEncoding::Cp1252, FileEncoding::Utf8, FileEncoding::Utf16Le, FileEncoding::Utf16Be}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << static_cast<int>(encoding) << ": " << testing::PrintToString(c.text));
      EXPECT_EQ(TextLines(Encode(c.text, encoding)), c.lines);
    }
  }
}

TEST(LineReader, GivesFileOffsetsOfEachLineAndItsSuccessor) {
  for (const bool utf16 : {false, true}) {
    const std::string text = "ab\r\ncde\n\rf";
    FilePtr file = FileWith(utf16 ? Encode(text, FileEncoding::Utf16Le) : text);
    LineReader reader(file.get(), DetectEncoding(file.get()).encoding);
    const std::uint64_t unit = utf16 ? 2 : 1, start = utf16 ? 2 : 0;
    GedLine line;
    for (const auto& [offset, next] : {std::pair{0, 4}, {4, 9}, {9, 10}}) {
      ASSERT_TRUE(reader.ReadLine(line));
      EXPECT_EQ(line.offset, start + offset * unit);
      EXPECT_EQ(line.nextOffset, start + next * unit);
    }
    EXPECT_FALSE(reader.ReadLine(line));
    reader.Seek(start + 4 * unit);  // back to "cde", still in the buffer
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.text, "cde");
  }
}

TEST(LineReader, ReadsVeryLongLinesWhole) {
  constexpr std::size_t kMiB = 1 << 20;
  // The CR of the first line end is the last byte of the first MiB: the LF behind it must
  // not make an empty line of its own.
  const std::string first(kMiB - 1, 'x');
  const std::string second = "1 NOTE " + std::string(3 * kMiB, 'y');
  FilePtr file = FileWith(first + "\r\n" + std::string(999, 'z') + "\r\n" + second + "\r\n0 TRLR");
  LineReader reader(file.get(), FileEncoding::Cp1252);
  GedLine line;
  std::vector<std::size_t> lengths;
  std::uint64_t secondOffset = 0;
  while (reader.ReadLine(line)) {
    if (line.text.size() == second.size()) secondOffset = line.offset;
    lengths.push_back(line.text.size());
  }
  EXPECT_EQ(lengths, (std::vector<std::size_t>{first.size(), 999, second.size(), 6}));
  reader.Seek(secondOffset);  // far behind the buffer
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line.raw, second);

  // The same in UTF-16: behind the mark, the CR unit ends the first MiB.
  const std::u16string wide(kMiB / 2 - 1, u'w');
  EXPECT_EQ(TextLines(kLeMark + Utf16(wide) + Utf16(u"\r\n\u00e4\r\n")),
            (Lines{std::string(wide.size(), 'w'), "\xC3\xA4"}));
}

TEST(LineReader, DecodesUtf8AndUtf16) {
  // Invalid UTF-8 bytes are taken as their code-page-1252 characters.
  EXPECT_EQ(TextLines(kUtf8Mark + "M\xC3\xBCller \xF0\x9F\x98\x80\r\nJ\xFCrgen \x80 \xC3"),
            (Lines{"M\xC3\xBCller \xF0\x9F\x98\x80", "J\xC3\xBCrgen \xE2\x82\xAC \xC3\x83"}));
  // A surrogate pair, a lone high surrogate, and an odd byte at the end of the file.
  const std::u16string units = u"B\u00e4r \u20ac\U0001F600\r\nx\xD800y\r\nz";
  const Lines expected = {"B\xC3\xA4r \xE2\x82\xAC\xF0\x9F\x98\x80", "x\xEF\xBF\xBDy",
                          "z\xEF\xBF\xBD"};
  EXPECT_EQ(TextLines(kLeMark + Utf16(units) + "!"), expected);
  EXPECT_EQ(TextLines(kBeMark + Utf16(units, false) + "!"), expected);
}

TEST(LineReader, DecodesOnlyTheValuesAskedForWhenLinesStayRaw) {
  for (const bool utf16 : {false, true}) {
    const std::string latin1 = "1 NAME J\xFCrgen\r\n0 @\xC4@ NOTE \xE4\r\n";
    FilePtr file = FileWith(utf16 ? Utf16Le(latin1) : latin1);
    LineReader reader(file.get(), DetectEncoding(file.get()).encoding);
    reader.SetDecodeLines(false);
    GedLine line;
    ASSERT_TRUE(reader.ReadLine(line));
    const std::string_view value = ParseGedLine(line.text).value;
    EXPECT_EQ(reader.Utf8Value(value), "J\xC3\xBCrgen");
    std::string_view tail;
    ASSERT_TRUE(reader.RawTail(line, value, tail));
    EXPECT_EQ(tail, utf16 ? Utf16Le("J\xFCrgen").substr(2) : "J\xFCrgen");
    ASSERT_TRUE(reader.ReadLine(line));  // the part before the value is not plain ASCII
    EXPECT_FALSE(reader.RawTail(line, ParseGedLine(line.text).value, tail));
  }
}

TEST(LineWriter, RoundTripsAllByteValuesOfCodePage1252) {
  std::string bytes;
  for (int value = 0; value < 256; ++value) {
    if (value != '\r' && value != '\n') bytes += static_cast<char>(value);
  }
  const std::string file = "0 HEAD\r\n1 NOTE " + bytes + "\r\n";
  FilePtr input = FileWith(file);
  ASSERT_EQ(DetectEncoding(input.get()).encoding, FileEncoding::Cp1252);
  LineReader reader(input.get(), FileEncoding::Cp1252);
  Lines texts, raws;
  for (GedLine line; reader.ReadLine(line);) {
    texts.emplace_back(line.text);
    raws.emplace_back(line.raw);
  }
  ASSERT_EQ(texts.size(), 2u);
  for (const char* character : {"\xE2\x82\xAC",      // 0x80 is the euro sign
                                "\xC5\xB8\xC2\xA0",  // 0x9F 0xA0: Ÿ and the no-break space
                                "\xC2\x81",          // unassigned 0x81 stays U+0081
                                "\xC3\xA4"}) {       // 0xE4 is ä
    EXPECT_NE(texts[1].find(character), std::string::npos) << character;
  }
  EXPECT_EQ(Written(FileEncoding::Cp1252, texts), file);
  EXPECT_EQ(Written(FileEncoding::Cp1252, raws, true), file);
}

TEST(LineWriter, WritesEachEncodingUpToTheFirstLineBreak) {
  const Lines lines = {"B\xC3\xA4r \xE2\x82\xAC\xF0\x9F\x98\x80\nnot written", "\xC5\x81"};
  const std::u16string units = u"B\u00e4r \u20ac\U0001F600\r\n\u0141\r\n";
  EXPECT_EQ(Written(FileEncoding::Cp1252, lines), "B\xE4r \x80?\r\n?\r\n");
  EXPECT_EQ(Written(FileEncoding::Utf8, lines),
            kUtf8Mark + "B\xC3\xA4r \xE2\x82\xAC\xF0\x9F\x98\x80\r\n\xC5\x81\r\n");
  EXPECT_EQ(Written(FileEncoding::Utf16Le, lines), kLeMark + Utf16(units));
  EXPECT_EQ(Written(FileEncoding::Utf16Be, lines), kBeMark + Utf16(units, false));
  // Reading a UTF-16 file and writing its lines gives the same bytes.
  const std::string file =
      kLeMark + Utf16(u"0 @I1@ INDI\r\n1 NAME J\u00fcrgen /\u0141\u00f3d\u017a/\r\n");
  EXPECT_EQ(Written(FileEncoding::Utf16Le, TextLines(file)), file);
}

TEST(LineCopy, SkipsTheRestOfARecordAndCopiesLinesUnchanged) {
  FilePtr input = FileWith(
      "0 @I1@ INDI\r\n1 NAME J\xFCrgen\n2 GIVN J\r\n0 @I2@ INDI\r\n1 SEX M\r\n\r\n1 NOTE x");
  LineReader reader(input.get(), FileEncoding::Cp1252);
  GedLine line;
  ASSERT_TRUE(reader.ReadLine(line));
  FilePtr output(std::tmpfile());
  LineWriter writer(output.get(), FileEncoding::Cp1252);
  EXPECT_TRUE(CopyLine(reader, writer));  // the LF-ended line gets CR LF, its bytes stay
  SkipRecordRest(reader);
  EXPECT_TRUE(CopyLine(reader, writer));
  SkipRecordRest(reader);  // stops at the empty line: it has no level
  EXPECT_TRUE(CopyLine(reader, writer));
  SkipRecordRest(reader);  // runs into the end of the file
  EXPECT_FALSE(CopyLine(reader, writer));
  ASSERT_TRUE(writer.Finish());
  EXPECT_EQ(Contents(output.get()), "1 NAME J\xFCrgen\r\n0 @I2@ INDI\r\n\r\n");

  const std::string wide = Utf16(u"1 NAME \u00c4\r\n");
  FilePtr wideInput = FileWith(kLeMark + wide);
  LineReader wideReader(wideInput.get(), DetectEncoding(wideInput.get()).encoding);
  FilePtr wideOutput(std::tmpfile());
  LineWriter wideWriter(wideOutput.get(), FileEncoding::Utf16Le);
  EXPECT_TRUE(CopyLine(wideReader, wideWriter));
  ASSERT_TRUE(wideWriter.Finish());
  EXPECT_EQ(Contents(wideOutput.get()), wide);
}

}  // namespace
}  // namespace korvane::gedcom_test
