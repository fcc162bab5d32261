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

// Unchanged when the line that ends right before `offset` is "0 ... `tag`".
SourceState HeaderBefore(const InputFile& source, const DetectedEncoding& encoding,
                         std::uint64_t offset, std::string_view tag, int& error) {
  constexpr SourceState kChanged = SourceState::Changed;
  const std::uint64_t start = std::max<std::uint64_t>(
      encoding.bomLength, offset > kHeaderWindow ? offset - kHeaderWindow : 0);
  if (offset <= start) return kChanged;
  std::string raw(static_cast<std::size_t>(offset - start), '\0');
  for (std::size_t got = 0; got < raw.size();) {
    const std::int64_t part = source.ReadAt(raw.data() + got, raw.size() - got, start + got);
    if (part == 0) return kChanged;  // shorter than it was
    if (part < 0) {
      error = static_cast<int>(-part);
      return SourceState::Unreadable;
    }
    got += static_cast<std::size_t>(part);
  }
  std::string scratch;
  std::string_view text = ToUtf8(encoding.encoding, raw, scratch);
  if (text.empty() || !IsLineEnd(text.back())) return kChanged;
  while (!text.empty() && IsLineEnd(text.back())) text.remove_suffix(1);
  const std::size_t lineStart = text.find_last_of("\r\n");
  if (lineStart == std::string_view::npos && start > encoding.bomLength) return kChanged;
  const std::string line(lineStart == std::string_view::npos ? text : text.substr(lineStart + 1));
  const GedLineParts parts = ParseGedLine(line);
  return parts.level == 0 && parts.tag == tag ? SourceState::Unchanged : kChanged;
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

SourceState CheckSource(const Store& store, const LoadedFile& file, const InputFile& source,
                        int& error) {
  FileStatus status;
  if ((error = source.Status(status)) != 0) return SourceState::Unreadable;
  const FileIdentity& then = file.recordsFile;
  if (!then.known || status.size != then.size || status.modifiedNs != then.modifiedNs) {
    return SourceState::Changed;
  }
  for (const bool family : {false, true}) {
    const std::vector<std::uint64_t> offsets =
        family ? SampleOffsets(store.familyTable, store.FamilyCount())
               : SampleOffsets(store.personTable, store.PersonCount());
    for (const std::uint64_t offset : offsets) {
      if (offset > status.size) return SourceState::Changed;
      const SourceState state =
          HeaderBefore(source, file.encoding, offset, family ? "FAM" : "INDI", error);
      if (state != SourceState::Unchanged) return state;
    }
  }
  return SourceState::Unchanged;
}

}  // namespace korvane
