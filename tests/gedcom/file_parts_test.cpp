#include "gedcom/file_parts.h"

#include <gtest/gtest.h>


#include "gedcom_test_util.h"

namespace korvane::gedcom_test {
namespace {

// `count` records of a few lines each, ended as `lineEnd` says.
std::string Records(int count, std::string_view lineEnd) {
  std::string text = "0 HEAD" + std::string(lineEnd);
  for (int i = 1; i <= count; ++i) {
    for (const std::string& line :
         {"0 @I" + std::to_string(i) + "@ INDI", std::string("1 NAME A /B/"),
          std::string("2 NOTE 0 x"), std::string("1 SEX M")}) {
      text += line;
      text += lineEnd;
    }
  }
  return text + "0 TRLR" + std::string(lineEnd);
}

TEST(FileParts, SplitsOnlyBeforeLevelZeroLinesAndCoversTheWholeRange) {
  const struct {
    const char* name;
    std::string bytes;
    FileEncoding encoding;
    std::size_t unit;
  } cases[] = {
      {"LF", Records(40, "\n"), FileEncoding::Utf8, 1},
      {"CR", Records(40, "\r"), FileEncoding::Utf8, 1},
      {"CR LF", Records(40, "\r\n"), FileEncoding::Cp1252, 1},
      {"LF CR", Records(40, "\n\r"), FileEncoding::Cp1252, 1},
      {"UTF-16 LE", Utf16Le(Records(40, "\r\n")), FileEncoding::Utf16Le, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FilePtr file = FileWith(c.bytes);
    const std::uint64_t begin = c.unit == 2 ? 2 : 0;
    const std::vector<FilePart> parts =
        SplitAtRecords(file.get(), c.encoding, begin, c.bytes.size(), {7, 1});
    ASSERT_EQ(parts.size(), 7u);
    EXPECT_EQ(parts.front().begin, begin);
    EXPECT_EQ(parts.back().end, c.bytes.size());
    for (std::size_t i = 1; i < parts.size(); ++i) {
      EXPECT_EQ(parts[i].begin, parts[i - 1].end);
      EXPECT_GT(parts[i].begin, parts[i - 1].begin);
      const std::uint64_t at = parts[i].begin;
      EXPECT_EQ(c.bytes[at], '0');
      EXPECT_EQ(c.bytes[at + c.unit], ' ');
      const char before = c.bytes[at - c.unit];
      EXPECT_TRUE(before == '\n' || before == '\r');
    }
  }
}

TEST(FileParts, SmallFilesAndFilesWithoutRecordsStayWhole) {
  const std::string bytes = Records(40, "\n");
  const FilePtr file = FileWith(bytes);
  EXPECT_EQ(SplitAtRecords(file.get(), FileEncoding::Utf8, 0, bytes.size(), {8, 1 << 20}).size(),
            1u);
  const std::string oneLine = "0 HEAD" + std::string(5000, 'x');
  const FilePtr single = FileWith(oneLine);
  EXPECT_EQ(SplitAtRecords(single.get(), FileEncoding::Utf8, 0, oneLine.size(), {8, 1}).size(), 1u);
}

}  // namespace
}  // namespace korvane::gedcom_test
