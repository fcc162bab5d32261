#pragma once

#include <cstdint>
#include <vector>

#include "export/export_selection.h"
#include "export/reference_numbering.h"
#include "gedcom/line_reader.h"
#include "gedcom/file_parts.h"
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
  bool endsWithTrailer = false;  // the lines ended with the TRLR line
};

// The export pass: reads the lines of the reader (the records file or a part of it that
// starts with a record) up to their end or the TRLR line, and writes the selected
// persons, their families and everything else of the file. Lines the program holds
// nothing of are copied byte for byte; links are written from the tables; notes and
// sources are renumbered; changed records are rebuilt. Lines below a line that is left
// out go with it.
WrittenPart WriteExport(const Store& store, LineReader& reader, LineWriter& writer,
                        const ExportSelection& selection, const ReferenceNumbering& numbering,
                        const PartProgress& progress);

}  // namespace korvane
