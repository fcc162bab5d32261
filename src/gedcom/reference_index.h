#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/file_encoding.h"
#include "gedcom/file_parts.h"
#include "gedcom/ged_line.h"
#include "gedcom/line_reader.h"
#include "store/string_index.h"

namespace korvane {

// The link lines of persons and families, which an export writes from the tables.
enum class LinkTag : std::int8_t { None = -1, Fams, Famc, Chil, Husb, Wife };
inline LinkTag LinkTagOf(std::string_view tag) {
  // All five have four letters: compared as one word.
  auto key = [](std::string_view word) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(word[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(word[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(word[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(word[3])) << 24;
  };
  if (tag.size() != 4) return LinkTag::None;
  constexpr std::string_view kLinkTags[] = {"FAMS", "FAMC", "CHIL", "HUSB", "WIFE"};
  const std::uint32_t word = key(tag);
  for (int i = 0; i < 5; ++i) {
    if (word == key(kLinkTags[i])) return static_cast<LinkTag>(i);
  }
  return LinkTag::None;
}

// A line no rule of the export changes, found without taking it apart: a line of level
// 1 to 9 without a pointer, and not a link line of a person
// or family whose links are written from the tables (`tableLinks`). Most lines of a file
// are such lines. `parsed`: the line's parts, when it was taken apart already.
inline bool IsPlainLine(const GedLine& line, bool tableLinks,
                        const GedLineParts* parsed = nullptr) {
  const std::string_view text = line.text;
  if (line.hasAt || text.size() < 3 || text[0] < '1' || text[0] > '9' || text[1] != ' ' ||
      text[2] == ' ' || text[2] == '\t') {
    return false;
  }
  if (text[0] >= '2') return true;
  if (!tableLinks) return true;
  // Without an "@" the tag is the word from byte 2 on, as ParseGedLine finds it.
  std::string_view tag;
  if (parsed != nullptr) {
    tag = parsed->tag;
  } else {
    std::size_t tagEnd = 2;
    while (tagEnd < text.size() && text[tagEnd] != ' ' && text[tagEnd] != '\t') ++tagEnd;
    tag = text.substr(2, tagEnd - 2);
  }
  return LinkTagOf(tag) == LinkTag::None;
}

// The file a ReferenceIndex describes; a file that was replaced or changed since is
// another one.
struct FileIdentity {
  std::uint64_t device = 0, inode = 0, size = 0;
  std::int64_t modifiedNs = 0;
  bool known = false;

  static FileIdentity Of(const InputFile& file);
  bool operator==(const FileIdentity&) const = default;
};

// The note and source pointers of a records file, record by record in file order, also
// those of records behind a TRLR line (the export writes them before it): what an export
// needs to number the notes and sources it writes. Pointers under other tags
// ("3 _QUAL @N2@") count when they name a note or source. A pointer below a link line
// carries which link line it is, since it is written only with that line.
struct ReferenceIndex {
  enum class Kind : std::uint8_t { Other, Person, Family, Note, Source };
  struct Record {
    Kind kind;
    int noteOrSource;      // id in `notes` or `sources`, for those kinds
    std::uint64_t offset;  // behind the level-0 line: a person's or family's RecordOffset
    std::uint32_t firstReference;
    std::uint32_t endReference;
  };
  struct Reference {
    bool source;
    int id;                    // in `sources` or `notes`; -1 for a pointer to neither
    LinkTag link;              // the link line it stands below, or None
    std::int32_t linkOrdinal;  // that line is the n-th line of its tag in the record (from 0)
  };

  FileIdentity file;
  StringIndex notes;    // note cross-references as written, record definitions included
  StringIndex sources;  // the same for sources
  std::vector<Record> records;
  std::vector<Reference> references;
};

// Collects a ReferenceIndex line by line: from the lines of a whole file, or of one part
// of it (see file_parts.h) and then joined in file order.
class ReferenceIndexBuilder {
 public:
  // `parsed`: the line's parts when the caller has taken it apart already.
  void Line(const GedLine& line, const GedLineParts* parsed = nullptr) {
    if (IsPlainLine(line, linkRecord_, parsed)) {
      if (line.text[0] == '1') link_ = LinkTag::None;  // the pointers below it are no link's
      return;
    }
    if (parsed != nullptr && parsed->level == 1 && TakeLinkLine(*parsed)) return;
    TakeApart(line, parsed);
  }
  // Sets room aside for the index of about `bytes` of a file.
  void Reserve(std::uint64_t bytes);
  // Adds what `later` collected from the part of the file behind this one's.
  void Append(const ReferenceIndexBuilder& later);
  ReferenceIndex Take();

 private:
  void TakeApart(const GedLine& line, const GedLineParts* parsed);
  // A level-1 line: when it is a link line of a person or family, the pointers below it
  // are written with it. False for any other line.
  bool TakeLinkLine(const GedLineParts& parts) {
    link_ = linkRecord_ ? LinkTagOf(parts.tag) : LinkTag::None;
    if (link_ == LinkTag::None) return false;
    linkOrdinal_ = linkCounts_[static_cast<int>(link_)]++;
    return true;
  }

  ReferenceIndex index_;
  // Pointers under other tags, until all notes and sources are known: their references
  // hold -1 - the index here.
  std::vector<std::string> otherPointers_;
  bool linkRecord_ = false;  // within a person or family
  LinkTag link_ = LinkTag::None;
  std::int32_t linkOrdinal_ = 0;
  std::int32_t linkCounts_[5] = {};
};

// Reads the note and source pointers of [begin, end) of a records file, its parts at the
// same time; `progress` shows positions from 0 to `end`. False when reading failed.
bool IndexReferences(const InputFile& file, FileEncoding encoding, std::uint64_t begin,
                     std::uint64_t end, Progress& progress, ReferenceIndex& index);

}  // namespace korvane
