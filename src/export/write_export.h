#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/export_selection.h"
#include "export/reference_numbering.h"
#include "gedcom/file_parts.h"
#include "gedcom/line_reader.h"
#include "gedcom/line_writer.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

// What the export pass wrote of the lines it read: where each record it wrote starts
// (the position behind its header line), counted from the start of the writer's output.
struct WrittenPart {
  struct Record {
    bool family;
    std::int32_t number;
    std::uint64_t position;
  };
  std::vector<Record> records;
  // The first TRLR line read (its bytes and line end), and the lines behind each TRLR line
  // up to the next record: not written by the pass, but at the end of the whole file, so
  // that records behind a TRLR line come before it.
  std::string trailer;
  std::string afterTrailer;
  bool endsOpen = false;  // the last line written had no line end
};

// The export pass: reads the lines of the reader (the records file or a part of it that
// starts with a record) up to their end, and writes the selected persons, their families
// and everything else of the file, each line with its own line end. Lines the program
// holds nothing of are copied byte for byte; links are written from the tables; notes and
// sources are renumbered; changed records are rebuilt. Lines below a line that is left
// out go with it.
WrittenPart WriteExport(const Store& store, LineReader& reader, LineWriter& writer,
                        const ExportSelection& selection, const ReferenceNumbering& numbering,
                        const PartProgress& progress);

// The selection's records that have no lines in the records file (see
// ExportSelection::PersonsWithoutLines), persons then families in number order, built from
// the fields in memory as a changed record is. Written behind the records of the file.
WrittenPart WriteRecordsWithoutLines(const Store& store, const ExportSelection& selection,
                                     const ReferenceNumbering& numbering, LineWriter& writer);

}  // namespace korvane
