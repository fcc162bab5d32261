#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/export_selection.h"
#include "gedcom/reference_index.h"

namespace korvane {

// Numbers the note and source records an export writes: those the exported records
// refer to, directly or through written notes and sources, consecutively in the order of
// their first reference in the file. A record is found wherever it stands, also before
// its first reference; the pointers of the whole file come from its ReferenceIndex.
class ReferenceNumbering {
 public:
  // `respelled`: person and family cross-references whose spelling the export changes
  // (see ReadCounts); pointers to them are written in the new spelling. The index must
  // outlive the numbering.
  ReferenceNumbering(const ReferenceIndex& index, const Store& store,
                     const ExportSelection& selection,
                     const std::unordered_map<std::string, std::string>* respelled = nullptr);

  // The new number for a note or source cross-reference, 0 when nothing written refers
  // to it. A reference to a record the file lacks is numbered as well.
  int NoteNumber(std::string_view xref) const { return NumberOf(index_.notes, notes_, xref); }
  int SourceNumber(std::string_view xref) const { return NumberOf(index_.sources, sources_, xref); }
  // The line that replaces a pointer line: a NOTE or SOUR pointer with its new number
  // ("2 SOUR @S7@" as "2 SOUR @S3@"), a pointer to a respelled person or family in the
  // new spelling ("1 ASSO @PERSON5@" as "1 ASSO @I5@"); empty when nothing changes.
  std::string PointerLine(int level, std::string_view tag, std::string_view value) const;

 private:
  struct Targets {
    std::vector<int> record;  // per xref id: the record defining it, or -1
    std::vector<int> number;  // per xref id: the new number, 0 = not written
  };

  static int NumberOf(const StringIndex& xrefs, const Targets& targets, std::string_view xref);
  void MarkWrittenRecords(const Store& store, const ExportSelection& selection);
  void MarkReferencedRecords();
  void AssignNumbers();

  const ReferenceIndex& index_;
  const std::unordered_map<std::string, std::string>* respelled_;
  Targets notes_;
  Targets sources_;
  std::vector<char> written_;  // per record of the index
  std::vector<char> kept_;     // per reference: not below a link line left out
};

}  // namespace korvane
