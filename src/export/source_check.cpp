#include "export/source_check.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gedcom/ged_line.h"
#include "gedcom/line_reader.h"
#include "store/flags.h"

namespace korvane {
namespace {

// Every ordinary change of a file changes its size or its modification time; the header
// lines catch a file replaced by another of the same size and time (a copy that kept the
// time), whose records stand elsewhere nearly everywhere. 64 records a table cost 128
// small reads on a file of 250,000 persons, far below a millisecond; all of them would
// cost 350,000 reads, several times the export itself.
constexpr int kSamplesPerTable = 64;
// A level-0 line of a person or family is short; one longer than this does not count.
constexpr std::size_t kHeaderWindow = 512;

bool IsLineEnd(char ch) { return ch == '\r' || ch == '\n'; }

// True when the line that ends right before `offset` is "0 ... `tag`".
bool HeaderBefore(const InputFile& source, const DetectedEncoding& encoding,
                  std::uint64_t offset, std::string_view tag) {
  const std::uint64_t start = std::max<std::uint64_t>(
      encoding.bomLength, offset > kHeaderWindow ? offset - kHeaderWindow : 0);
  if (offset <= start) return false;
  std::string raw(static_cast<std::size_t>(offset - start), '\0');
  for (std::size_t got = 0; got < raw.size();) {
    const std::int64_t part = source.ReadAt(raw.data() + got, raw.size() - got, start + got);
    if (part <= 0) return false;
    got += static_cast<std::size_t>(part);
  }
  std::string scratch;
  std::string_view text = ToUtf8(encoding.encoding, raw, scratch);
  if (text.empty() || !IsLineEnd(text.back())) return false;
  while (!text.empty() && IsLineEnd(text.back())) text.remove_suffix(1);
  const std::size_t lineStart = text.find_last_of("\r\n");
  if (lineStart == std::string_view::npos && start > encoding.bomLength) return false;
  const std::string line(lineStart == std::string_view::npos ? text : text.substr(lineStart + 1));
  const GedLineParts parts = ParseGedLine(line);
  return parts.level == 0 && parts.tag == tag;
}

// The offsets of the first, the last and a spread of the records between that have lines
// in the file, by number.
template <typename Record>
std::vector<std::uint64_t> SampleOffsets(const std::vector<Record>& table, int count) {
  std::vector<std::uint64_t> offsets;
  const auto inFile = [&](int number) {
    const Record& record = table[static_cast<std::size_t>(number)];
    return (record.flags & PresentFlag) != 0 && record.recordOffset != 0;
  };
  const int last = std::min(count, static_cast<int>(table.size()) - 1);
  const int step = std::max(1, last / kSamplesPerTable);
  for (int number = 1; number <= last; number += step) {
    int found = number;
    while (found <= last && found < number + step && !inFile(found)) ++found;
    if (found <= last && found < number + step) offsets.push_back(table[found].recordOffset);
  }
  for (int number = last; number >= 1; --number) {
    if (inFile(number)) {
      offsets.push_back(table[static_cast<std::size_t>(number)].recordOffset);
      break;
    }
  }
  return offsets;
}

}  // namespace

bool SourceUnchanged(const Store& store, const LoadedFile& file, const InputFile& source) {
  const FileIdentity now = FileIdentity::Of(source);
  const FileIdentity& then = file.recordsFile;
  if (!now.known || !then.known || now.size != then.size || now.modifiedNs != then.modifiedNs) {
    return false;
  }
  for (const std::uint64_t offset : SampleOffsets(store.personTable, store.PersonCount())) {
    if (offset > now.size || !HeaderBefore(source, file.encoding, offset, "INDI")) return false;
  }
  for (const std::uint64_t offset : SampleOffsets(store.familyTable, store.FamilyCount())) {
    if (offset > now.size || !HeaderBefore(source, file.encoding, offset, "FAM")) return false;
  }
  return true;
}

}  // namespace korvane
