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
        SplitAtRecords(*file, c.encoding, begin, c.bytes.size(), {7, 1});
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
  EXPECT_EQ(SplitAtRecords(*file, FileEncoding::Utf8, 0, bytes.size(), {8, 1 << 20}).size(), 1u);
  const std::string oneLine = "0 HEAD" + std::string(5000, 'x');
  const FilePtr single = FileWith(oneLine);
  EXPECT_EQ(SplitAtRecords(*single, FileEncoding::Utf8, 0, oneLine.size(), {8, 1}).size(), 1u);
}

// A part's reader claims records as it comes to them; a split takes only records it has
// not claimed, starting at a level-0 line, and the part then ends there.
TEST(PartQueue, SplitsOffOnlyUnclaimedRecordsAtRecordStarts) {
  const std::string bytes = Records(20000, "\n");
  const FilePtr file = FileWith(bytes);
  PartQueue queue(*file, FileEncoding::Utf8, {{0, bytes.size()}}, 1 << 16);
  std::uint64_t claimedEnd = 0;
  ASSERT_TRUE(queue.Claim(0, 0, claimedEnd));
  EXPECT_GT(claimedEnd, 0u);
  const std::optional<std::size_t> split = queue.SplitLargestRest();
  ASSERT_EQ(split, 1u);
  const FilePart first = queue.Part(0), second = queue.Part(1);
  EXPECT_EQ(first.end, second.begin);
  EXPECT_EQ(second.end, bytes.size());
  EXPECT_GE(second.begin, claimedEnd + (bytes.size() - claimedEnd) / 2);
  EXPECT_EQ(bytes.substr(second.begin - 1, 3), "\n0 ");
  // The first part's reader keeps what lies before the split and stops there.
  EXPECT_TRUE(queue.Claim(0, second.begin - 1, claimedEnd));
  EXPECT_LE(claimedEnd, second.begin);
  EXPECT_FALSE(queue.Claim(0, second.begin, claimedEnd));
  // The new part may be split in turn; rests under the minimum are not.
  std::uint64_t secondClaimed = 0;
  ASSERT_TRUE(queue.Claim(1, second.begin, secondClaimed));
  while (queue.SplitLargestRest()) {
  }
  std::uint64_t covered = 0;
  for (std::size_t part = 0; part < queue.Count(); ++part) {
    covered += queue.Part(part).end - queue.Part(part).begin;
  }
  EXPECT_EQ(covered, bytes.size());
  EXPECT_GE(queue.Count(), 3u);
}

}  // namespace
}  // namespace korvane::gedcom_test
