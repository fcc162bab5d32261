#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/export_selection.h"
#include "gedcom/file_parts.h"
#include "gedcom/line_reader.h"
#include "store/string_index.h"

namespace korvane {

// Numbers the note and source records an export writes: those the exported records
// refer to, directly or through written notes and sources, consecutively in the order of
// their first reference in the file. A record is found wherever it stands, also before
// its first reference, so this is one read of the whole file ahead of the writing pass.
// The file may be read in parts at the same time, one ReferenceNumbering each; the
// first then takes up the others in file order.
class ReferenceNumbering {
 public:
  // `respelled`: person and family cross-references whose spelling the export changes
  // (see ReadCounts); pointers to them are written in the new spelling.
  explicit ReferenceNumbering(
      const std::unordered_map<std::string, std::string>* respelled = nullptr)
      : respelled_(respelled) {}

  // Reads the lines of the reader (the whole file or a part of it). False when they end
  // with the TRLR line: nothing behind it belongs to the file.
  bool Scan(LineReader& reader, const Store& store, const ExportSelection& selection,
            const PartProgress& progress);
  // Adds what `later` read in the part of the file behind this one's.
  void Append(const ReferenceNumbering& later);
  // Numbers the notes and sources, once the whole file is read.
  void Finish();

  // The new number for a note or source cross-reference, 0 when nothing written refers
  // to it. A reference to a record the file lacks is numbered as well.
  int NoteNumber(std::string_view xref) const { return NumberOf(notes_, xref); }
  int SourceNumber(std::string_view xref) const { return NumberOf(sources_, xref); }
  // The line that replaces a pointer line: a NOTE or SOUR pointer with its new number
  // ("2 SOUR @S7@" as "2 SOUR @S3@"), a pointer to a respelled person or family in the
  // new spelling ("1 ASSO @PERSON5@" as "1 ASSO @I5@"); empty when nothing changes.
  std::string PointerLine(int level, std::string_view tag, std::string_view value) const;

 private:
  struct Targets {
    StringIndex xrefs;
    std::vector<int> record;  // per xref id: the record defining it, or -1
    std::vector<int> number;  // per xref id: the new number, 0 = not written
  };
  struct Record {
    bool written;
    std::uint32_t firstRef;
    std::uint32_t endRef;
  };
  struct Reference {
    bool source;
    int id;
  };

  static int NumberOf(const Targets& targets, std::string_view xref);
  static int Intern(Targets& targets, std::string_view xref);
  void MarkReferencedRecords();
  void AssignNumbers();

  const std::unordered_map<std::string, std::string>* respelled_;
  Targets notes_;
  Targets sources_;
  std::vector<Record> records_;
  std::vector<Reference> references_;
};

// "@N5@": a pointer value (no blanks inside).
bool IsPointerValue(std::string_view value);

// A line no rule of the export changes, so both passes may copy or skip it without
// taking it apart: a line of level 1 to 9 without a pointer, not a `_` tag below level 1,
// and not a link line of a record whose links are written from the tables
// (`tableLinks`). Most lines of a file are such lines.
inline bool IsPlainLine(const GedLine& line, bool tableLinks) {
  const std::string_view text = line.text;
  if (line.hasAt || text.size() < 3 || text[0] < '1' || text[0] > '9' || text[1] != ' ' ||
      text[2] == ' ' || text[2] == '\t') {
    return false;
  }
  if (text[0] >= '2') return text[2] != '_';
  std::size_t tagEnd = 2;
  while (tagEnd < text.size() && text[tagEnd] != ' ' && text[tagEnd] != '\t') ++tagEnd;
  return !tableLinks || !RecordLinks::IsLinkTag(text.substr(2, tagEnd - 2));
}

}  // namespace korvane
