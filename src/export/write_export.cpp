#include "export/write_export.h"

#include <optional>
#include <string>

#include "export/record_tree.h"
#include "gedcom/ged_line.h"
#include "store/flags.h"

namespace korvane {
namespace {

// The header always carries the record number, which the links written from the tables
// use, whatever the file called the record.
std::string RecordHeader(bool family, std::int32_t number) {
  return (family ? "0 @F" : "0 @I") + std::to_string(number) + (family ? "@ FAM" : "@ INDI");
}

class ExportPass {
 public:
  ExportPass(const Store& store, LineReader& reader, LineWriter& writer,
             const ExportSelection& selection, const ReferenceNumbering& numbering)
      : store_(store),
        reader_(reader),
        writer_(writer),
        selection_(selection),
        numbering_(numbering) {}

  WrittenPart Run(const PartProgress& progress) {
    reader_.SetDecodeLines(false);  // lines are copied as bytes; values are decoded when used
    GedLine line;
    while (reader_.ReadLine(line)) {
      if (dropLevel_ < 0 && !afterTrailer_ && IsPlainLine(line, links_.has_value())) {
        writer_.WriteRawLine(line.raw, line.End());
        continue;
      }
      const GedLineParts parts = ParseGedLine(line.text);
      if (dropLevel_ >= 0) {
        if (parts.level > dropLevel_ || parts.level < 0) continue;
        dropLevel_ = -1;
      }
      if (parts.level == 0 && parts.tag == "TRLR") {
        // Held back for the end: records may follow it, and the file must end with it.
        progress.Step(line.nextOffset);
        if (written_.trailer.empty()) written_.trailer = line.WithEnd();
        afterTrailer_ = true;
        links_.reset();
      } else if (afterTrailer_ && parts.level != 0) {
        written_.afterTrailer += line.WithEnd();
      } else if (parts.level < 0) {
        writer_.WriteRawLine(line.raw, line.End());  // what cannot be read is kept as it stands
      } else if (parts.level == 0) {
        progress.Step(line.nextOffset);
        afterTrailer_ = false;
        StartRecord(parts, line);
      } else {
        WriteInnerLine(parts, line);
      }
    }
    written_.endsOpen = writer_.EndsOpen();
    return std::move(written_);
  }

 private:
  void StartRecord(const GedLineParts& parts, const GedLine& line) {
    links_.reset();
    if (parts.tag == "INDI" || parts.tag == "FAM") {
      const bool family = parts.tag == "FAM";
      const std::int32_t number = family ? selection_.FamilyAt(line.nextOffset, cursor_)
                                         : selection_.PersonAt(line.nextOffset, cursor_);
      const bool exported =
          family ? selection_.FamilyWritten(number) : selection_.PersonWritten(number);
      if (!exported) {
        dropLevel_ = 0;
        return;
      }
      writer_.WriteLine(RecordHeader(family, number), line.End());
      written_.records.push_back({family, number, writer_.Position()});
      const std::uint32_t flags =
          family ? store_.familyTable[number].flags : store_.personTable[number].flags;
      if (flags & ChangedFlag) {
        ReadRecordLines(reader_, recordLines_);
        WriteRecordTree(BuildRecordTree(store_, selection_, family, number, recordLines_),
                        recordLines_, numbering_, writer_);
      } else {
        links_.emplace(store_, selection_, family, number);
      }
      return;
    }
    if ((parts.tag == "NOTE" || parts.tag == "SOUR") && IsPointerValue(parts.xref)) {
      const bool note = parts.tag == "NOTE";
      const int number =
          note ? numbering_.NoteNumber(parts.xref) : numbering_.SourceNumber(parts.xref);
      if (number == 0) {
        dropLevel_ = 0;  // nothing written refers to it
        return;
      }
      // The text behind the tag stays byte for byte.
      const std::string header = (note ? "0 @N" : "0 @S") + std::to_string(number) + "@ " +
                                 std::string(parts.tag) + (parts.value.empty() ? "" : " ");
      std::string_view tail;
      if (reader_.RawTail(line, parts.value, tail)) {
        writer_.WriteLineWithRawTail(header, tail, line.End());
      } else {
        writer_.WriteLine(header + std::string(reader_.Utf8Value(parts.value)), line.End());
      }
      return;
    }
    writer_.WriteRawLine(line.raw, line.End());
  }

  void WriteInnerLine(const GedLineParts& parts, const GedLine& line) {
    if (parts.level == 1 && links_ && RecordLinks::IsLinkTag(parts.tag)) {
      const std::string text = links_->Next(parts.tag);
      if (text.empty()) {
        dropLevel_ = 1;
      } else {
        writer_.WriteLine(text, line.End());
      }
      return;
    }
    const std::string renumbered = numbering_.PointerLine(parts.level, parts.tag, parts.value);
    if (!renumbered.empty()) {
      writer_.WriteLine(renumbered, line.End());
      return;
    }
    writer_.WriteRawLine(line.raw, line.End());
  }

  const Store& store_;
  LineReader& reader_;
  LineWriter& writer_;
  const ExportSelection& selection_;
  const ReferenceNumbering& numbering_;
  ExportSelection::Cursor cursor_;
  std::optional<RecordLinks> links_;
  std::vector<RecordLine> recordLines_;  // kept between records to reuse its storage
  WrittenPart written_;
  int dropLevel_ = -1;
  bool afterTrailer_ = false;  // between a TRLR line and the next record
};

}  // namespace

WrittenPart WriteExport(const Store& store, LineReader& reader, LineWriter& writer,
                        const ExportSelection& selection, const ReferenceNumbering& numbering,
                        const PartProgress& progress) {
  return ExportPass(store, reader, writer, selection, numbering).Run(progress);
}

WrittenPart WriteRecordsWithoutLines(const Store& store, const ExportSelection& selection,
                                     const ReferenceNumbering& numbering, LineWriter& writer) {
  WrittenPart written;
  const std::vector<RecordLine> none;
  for (const bool family : {false, true}) {
    for (const std::int32_t number :
         family ? selection.FamiliesWithoutLines() : selection.PersonsWithoutLines()) {
      writer.WriteLine(RecordHeader(family, number));
      written.records.push_back({family, number, writer.Position()});
      WriteRecordTree(BuildRecordTree(store, selection, family, number, none), none, numbering,
                      writer);
    }
  }
  written.endsOpen = writer.EndsOpen();
  return written;
}

}  // namespace korvane
