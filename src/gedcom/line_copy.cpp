#include "gedcom/line_copy.h"

#include "gedcom/ged_line.h"

namespace korvane {

void SkipRecordRest(LineReader& reader) {
  GedLine line;
  while (reader.ReadLine(line)) {
    if (ParseGedLine(line.text).level <= 0) {
      reader.Seek(line.offset);
      return;
    }
  }
}

bool CopyLine(LineReader& reader, LineWriter& writer) {
  GedLine line;
  if (!reader.ReadLine(line)) return false;
  writer.WriteRawLine(line.raw, line.End());
  return true;
}

}  // namespace korvane
