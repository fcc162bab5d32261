#pragma once

#include <array>
#include <string>
#include <vector>

#include "export/export_selection.h"
#include "export/reference_numbering.h"
#include "export/tag_codes.h"
#include "gedcom/line_reader.h"
#include "gedcom/line_writer.h"
#include "store/store.h"

namespace korvane {

// A line of a record as read from the file.
struct RecordLine {
  int level = -1;
  std::string tag;
  std::string value;
  std::string raw;  // the bytes in the file's encoding
  std::string end;  // its line end, the same way
};

// Reads the lines of the record that starts at the reader's position, up to the next
// level-0 line, and leaves the reader at that line. `lines` is reused.
void ReadRecordLines(LineReader& reader, std::vector<RecordLine>& lines);

// A changed record, rebuilt from its lines in the file and the fields in memory: level-1
// lines sorted by their tag's slot, each with the lines below it. A line whose field the
// program holds is kept byte for byte while the field still equals what the line says;
// otherwise it is written from the field, or left out when the field is now empty.
struct RecordTree {
  struct Line {
    int level;
    int source;        // index of the record line kept byte for byte, or -1
    std::string text;  // the new line as UTF-8 when source is -1
  };
  struct Block {  // a level-1 line and everything below it
    std::string tag;
    std::vector<Line> lines;
  };
  std::array<std::vector<Block>, kSlotCount> slots;
};

RecordTree BuildRecordTree(const Store& store, const ExportSelection& selection, bool family,
                           std::int32_t number, const std::vector<RecordLine>& lines);

// Kept lines are copied byte for byte with their line ends, except note and source
// pointers, which take their new numbers as everywhere else in the export. New lines end
// with the writer's line end.
void WriteRecordTree(const RecordTree& tree, const std::vector<RecordLine>& lines,
                     const ReferenceNumbering& numbering, LineWriter& writer);

}  // namespace korvane
