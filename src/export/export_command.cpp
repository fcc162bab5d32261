#include "export/export_command.h"

#include <cerrno>
#include <memory>
#include <new>
#include <vector>

#include "export/backup_files.h"
#include "export/backup_names.h"
#include "export/reference_numbering.h"
#include "export/source_check.h"
#include "export/write_export.h"
#include "gedcom/file_parts.h"
#include "gedcom/line_writer.h"
#include "platform/parallel.h"
#include "platform/system_error_text.h"
#include "store/flags.h"

namespace korvane {
namespace {

constexpr std::uint64_t kLargestFileInParts = std::uint64_t{1} << 30;

bool ContainsGed(const std::string& path) {
  for (std::size_t i = 0; i + 3 <= path.size(); ++i) {
    if ((path[i] | 0x20) == 'g' && (path[i + 1] | 0x20) == 'e' && (path[i + 2] | 0x20) == 'd') {
      return true;
    }
  }
  return false;
}

// What went wrong while the new file was made.
struct WriteResult {
  bool readFailed = false;  // the records file could not be read to its end
  int writeError = 0;       // the error number of the first failed write
  bool Ok() const { return !readFailed && writeError == 0; }
};

// The line end of the file's first line, which lines of the export's own end with too.
std::string FirstLineEnd(const InputFile& source, FileEncoding encoding, std::uint64_t begin) {
  LineReader reader(source, encoding, begin, begin + 4096);
  GedLine line;
  if (!reader.ReadLine(line)) return {};
  return std::string(line.End());
}

// Where each written record starts in the new file, by number; 0 for records that were
// not written.
struct WrittenOffsets {
  explicit WrittenOffsets(const Store& store)
      : persons(store.personTable.size(), 0), families(store.familyTable.size(), 0) {}
  // The records of `part`, whose output starts at `base` in the new file.
  void Take(const WrittenPart& part, std::uint64_t base) {
    for (const WrittenPart::Record& record : part.records) {
      (record.family ? families : persons)[record.number] = base + record.position;
    }
  }
  std::vector<std::uint64_t> persons;
  std::vector<std::uint64_t> families;
};

// What the export pass made of one part of the records file.
struct PartOutput {
  WrittenPart written;
  std::string text;     // parts behind the first: their output, kept in memory
  bool failed = false;  // reading the part failed
};

// Writes every part of the records file at the same time: the first straight into
// `writer`, the others into memory.
std::vector<PartOutput> WriteParts(LoadContext& context, const InputFile& source,
                                   const std::vector<FilePart>& parts, LineWriter& writer,
                                   const ExportSelection& selection,
                                   const ReferenceNumbering& numbering,
                                   const PartProgress& progress) {
  const FileEncoding encoding = context.file.encoding.encoding;
  std::vector<PartOutput> outputs(parts.size());
  RunInParallel(parts.size(), [&](std::size_t i) {
    LineReader reader(source, encoding, parts[i].begin, parts[i].end);
    if (i == 0) {
      outputs[0].written =
          WriteExport(context.store, reader, writer, selection, numbering, progress);
    } else {
      const std::size_t bytes = parts[i].end - parts[i].begin;
      LineWriter memory(encoding, bytes + bytes / 8 + 4096);
      memory.SetLineEnd(writer.LineEnd());
      outputs[i].written =
          WriteExport(context.store, reader, memory, selection, numbering, PartProgress());
      outputs[i].text = memory.TakeOutput();
    }
    outputs[i].failed = reader.Failed();
  });
  return outputs;
}

// Writes the parts behind the first in order (the records written from the tables last),
// then the TRLR line with what stood behind it, and gathers where the records now stand.
WriteResult JoinParts(LineWriter& writer, OutputFile& output,
                      const std::vector<PartOutput>& outputs, WrittenOffsets& offsets) {
  WriteResult result;
  const std::string lineEnd = writer.LineEnd();
  writer.Finish();
  result.writeError = writer.Error();
  std::string trailer, afterTrailer;
  // The output so far ends in a line without line end.
  bool open = false;
  std::uint64_t next = writer.Position();  // where the next part's output goes
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const PartOutput& part = outputs[i];
    result.readFailed = result.readFailed || part.failed;
    if (i > 0 && open && !part.text.empty() && result.Ok()) {
      // Only the records written from the tables follow a last line without line end.
      result.writeError = output.Write(lineEnd.data(), lineEnd.size());
      next += lineEnd.size();
    }
    offsets.Take(part.written, i == 0 ? 0 : next);
    if (i > 0 && result.Ok()) {
      result.writeError = output.Write(part.text.data(), part.text.size());
      output.StartWriteBack(next, part.text.size());
      next += part.text.size();
    }
    if (i == 0 || !part.text.empty()) open = part.written.endsOpen;
    if (trailer.empty()) trailer = part.written.trailer;
    afterTrailer += part.written.afterTrailer;
  }
  // Records behind a TRLR line were written before it: the file ends with it again.
  const std::string end = (open && !trailer.empty() ? lineEnd : "") + trailer + afterTrailer;
  if (!end.empty() && result.Ok()) result.writeError = output.Write(end.data(), end.size());
  return result;
}

// Numbers the notes and sources and writes the new file.
WriteResult WriteNewFile(LoadContext& context, const InputFile& source, OutputFile& output,
                         WrittenOffsets& offsets) {
  LoadedFile& file = context.file;
  const FileEncoding encoding = file.encoding.encoding;
  const FileIdentity identity = FileIdentity::Of(source);
  const std::uint64_t size = identity.size;
  // The note and source pointers come from the load while the records file is the one
  // that was loaded; otherwise (after an export) they are read anew first.
  ReferenceIndex& index = file.counts.references;
  const bool readAgain = !identity.known || !(index.file == identity);
  Progress progress(context.ui);
  progress.Begin(static_cast<std::int64_t>(readAgain ? 2 * size : size));
  // The parts behind the first wait in memory until they are written: a file too large
  // for that is written in one piece, as it is read.
  FilePartPolicy policy = CurrentFilePartPolicy();
  if (size > kLargestFileInParts) policy.maxParts = 1;
  const std::vector<FilePart> parts =
      SplitAtRecords(source, encoding, file.encoding.bomLength, size, policy);
  if (readAgain &&
      !IndexReferences(source, encoding, file.encoding.bomLength, size, progress, index)) {
    index = ReferenceIndex{};
    return {true, 0};
  }
  const ExportSelection selection(context.store);
  const ReferenceNumbering numbering(index, context.store, selection, &file.counts.respelledXrefs);
  LineWriter writer(output, encoding);
  writer.SetLineEnd(FirstLineEnd(source, encoding, file.encoding.bomLength));
  if (file.encoding.bomLength > 0) writer.WriteByteOrderMark();
  const PartProgress writing(progress, parts, readAgain ? static_cast<std::int64_t>(size) : 0);
  std::vector<PartOutput> outputs =
      WriteParts(context, source, parts, writer, selection, numbering, writing);
  // Behind the last record of the file, before its TRLR line: as one more part.
  PartOutput& withoutLines = outputs.emplace_back();
  LineWriter memory(encoding, 4096);
  memory.SetLineEnd(writer.LineEnd());
  withoutLines.written = WriteRecordsWithoutLines(context.store, selection, numbering, memory);
  withoutLines.text = memory.TakeOutput();
  return JoinParts(writer, output, outputs, offsets);
}

// With no file to read (after "Neu"), a new one: a minimal header in UTF-8, the records
// from the tables and the TRLR line.
WriteResult WriteFreshFile(LoadContext& context, OutputFile& output, WrittenOffsets& offsets) {
  LineWriter writer(output, FileEncoding::Utf8);
  for (const char* line : {"0 HEAD", "1 SOUR Korvane", "1 GEDC", "2 VERS 5.5.1",
                           "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8"}) {
    writer.WriteLine(line);
  }
  const ExportSelection selection(context.store);
  const ReferenceIndex noReferences;
  const ReferenceNumbering numbering(noReferences, context.store, selection);
  offsets.Take(WriteRecordsWithoutLines(context.store, selection, numbering, writer), 0);
  writer.WriteLine("0 TRLR");
  writer.Finish();
  return {false, writer.Error()};
}

// The records now live in the new file: a later rebuild reads them from there.
void MoveRecordOffsets(Store& store, const WrittenOffsets& offsets) {
  for (Rin rin = 1; rin <= store.PersonCount() && rin < static_cast<Rin>(offsets.persons.size());
       ++rin) {
    store.personTable[rin].recordOffset = offsets.persons[rin];
  }
  for (Mrin mrin = 1;
       mrin <= store.FamilyCount() && mrin < static_cast<Mrin>(offsets.families.size()); ++mrin) {
    store.familyTable[mrin].recordOffset = offsets.families[mrin];
  }
}

void ClearSelectionAndChanges(Store& store) {
  for (Person& person : store.personTable) person.flags &= ~(SelectedFlag | ChangedFlag);
  for (Family& family : store.familyTable) family.flags &= ~ChangedFlag;
  store.changeCounters = ChangeCounters{};
}

// False, after saying why, when `target` is a folder, a device or a FIFO.
bool CheckTarget(Diagnostics& d, FileSystem& files, const std::string& target) {
  FileStatus status;
  const int error = files.Status(target, status);
  if (error != 0) {
    d.ErrorBox("Fehler beim Öffnen der Datei '%s'\r\n%s", target.c_str(),
               SystemErrorText(error).c_str());
  } else if (status.kind == FileKind::Directory) {
    d.ErrorBox("'%s' ist ein Ordner und keine Datei: dorthin wird nicht exportiert",
               target.c_str());
  } else if (status.kind == FileKind::Other) {
    d.ErrorBox("'%s' ist keine gewöhnliche Datei: dorthin wird nicht exportiert", target.c_str());
  } else {
    return true;
  }
  return false;
}

// The records file opened and checked to be the one the tables were read from; null
// after the error box.
std::unique_ptr<InputFile> OpenSource(LoadContext& context) {
  Diagnostics& d = context.diagnostics;
  const LoadedFile& file = context.file;
  const char* path = file.recordsPath.c_str();
  int error = 0;
  std::unique_ptr<InputFile> source = context.files.OpenForReading(path, error);
  if (source == nullptr) {
    if (error == ENOENT || error == ENOTDIR) {
      d.ErrorBox("Original GED Datei %s nicht gefunden!", path);
    } else {
      d.ErrorBox("GED Datei %s kann nicht gelesen werden:\r\n%s", path,
                 SystemErrorText(error).c_str());
    }
    return nullptr;
  }
  const SourceState state = CheckSource(context.store, file, *source, error);
  if (state == SourceState::Unreadable) {
    d.ErrorBox("Fehler beim Lesen der GED Datei %s\r\n%s", path, SystemErrorText(error).c_str());
    return nullptr;
  }
  if (state == SourceState::Changed) {
    d.ErrorBox(
        "Die GED Datei %s wurde seit dem Laden verändert.\r\nBitte neu laden: "
        "so würden Datensätze fehlen oder falsch geschrieben.",
        path);
    return nullptr;
  }
  return source;
}

// Writes the new file completely under a temporary name beside the target and syncs it,
// from `source`, or without one as a fresh file; the temporary name, or empty after the
// error box.
std::string WriteTemporary(LoadContext& context, const InputFile* source, const std::string& target,
                           WrittenOffsets& offsets) {
  Diagnostics& d = context.diagnostics;
  std::string temporary;
  int error = 0;
  const std::unique_ptr<OutputFile> output =
      context.files.CreateTemporary(target, temporary, error);
  if (output == nullptr) {
    d.ErrorBox("Fehler beim Öffnen der Datei '%s'\r\n%s", target.c_str(),
               SystemErrorText(error).c_str());
    return {};
  }
  context.ui.SetStatusText(0, FileNameOf(target) + " teil-exportieren");
  WriteResult result;
  try {
    result = source != nullptr ? WriteNewFile(context, *source, *output, offsets)
                               : WriteFreshFile(context, *output, offsets);
  } catch (const std::bad_alloc&) {
    // The parts of a large file are kept in memory: without room the export fails, and
    // like every failure it leaves the files as they were.
    result.writeError = ENOMEM;
  }
  if (result.Ok()) result.writeError = output->Sync();
  const int closed = output->Close();
  if (result.Ok()) result.writeError = closed;
  if (result.Ok()) return temporary;
  context.files.Remove(temporary);
  if (result.readFailed) {
    d.ErrorBox("Fehler beim Lesen der GED Datei %s", context.file.recordsPath.c_str());
  } else {
    d.ErrorBox("Fehler beim Schreiben der Datei '%s'\r\n%s", target.c_str(),
               SystemErrorText(result.writeError).c_str());
  }
  return {};
}

}  // namespace

bool ExportTo(LoadContext& context, const std::string& target) {
  Diagnostics& d = context.diagnostics;
  LoadedFile& file = context.file;
  FileSystem& files = context.files;
  d.LogAppend("\n# %s", d.LogTimestamp().c_str());
  d.LogAppend("\n- Auto-Source: %s\n", file.path.c_str());

  if (!CheckTarget(d, files, target)) return false;
  RemoveTemporariesOf(files, target);  // of an export that failed or was killed
  WrittenOffsets offsets(context.store);
  std::string temporary;
  const bool fresh = file.recordsPath.empty();  // after "Neu": there is no file yet
  {
    std::unique_ptr<InputFile> source;
    if (!fresh && (source = OpenSource(context)) == nullptr) return false;
    temporary = WriteTemporary(context, source.get(), target, offsets);
    if (temporary.empty()) return false;
  }

  // The target keeps its name at every moment: the backup is a second name (or a copy)
  // of it, and the new file replaces it in one step.
  std::string backup;
  FileStatus status;
  int error = files.Status(target, status);
  if (error == 0 && status.kind != FileKind::Missing) {
    // A name the file system cannot tell about ends the search; the error then stops.
    backup = BackupPathFor(target, [&](const std::string& path) {
      error = error != 0 ? error : files.Status(path, status);
      return error == 0 && status.kind != FileKind::Missing;
    });
    if (error == 0) error = KeepBackup(files, target, backup);
  }
  if (error != 0) {
    files.Remove(temporary);
    d.ErrorBox("Sicherungskopie '%s' kann nicht angelegt werden:\r\n%s",
               (backup.empty() ? target : backup).c_str(), SystemErrorText(error).c_str());
    return false;
  }
  if ((error = files.Rename(temporary, target)) != 0) {
    // The target is as it was; its backup would be a second copy of it.
    if (!backup.empty()) files.Remove(backup);
    files.Remove(temporary);
    d.ErrorBox("Die Datei '%s' kann nicht ersetzt werden:\r\n%s", target.c_str(),
               SystemErrorText(error).c_str());
    return false;
  }
  files.SyncFolderOf(target);  // the new names last a power cut; failing here loses none
  if (!backup.empty()) d.LogAppend("\n(Backup in: %s)\n", backup.c_str());

  // The log of the exported state goes beside the backup; the next line starts a new one.
  RotateProgramLog(files, d, backup.empty() ? target : backup);
  MoveRecordOffsets(context.store, offsets);
  file.counts.respelledXrefs.clear();  // the new file spells every record as its header
  FileStatus written;
  file.recordsFile = FileIdentity{};
  if (files.Status(target, written) == 0 && written.kind == FileKind::Regular) {
    file.recordsFile = {written.device, written.inode, written.size, written.modifiedNs, true};
  }
  if (fresh) file.encoding = DetectedEncoding{FileEncoding::Utf8, 0};
  file.path = target;
  file.recordsPath = target;
  file.displayName = FileNameOf(target);
  return true;
}

bool ExportCommand(LoadContext& context) {
  const std::optional<std::string> path = context.ui.ChooseFile(
      {"GED Dateien (*.ged)", "*.ged", ".ged", false, FolderOf(context.file.path)});
  if (!path || !ContainsGed(*path)) return false;
  context.diagnostics.StartReport();
  const std::string name = FileNameOf(*path);
  context.ui.SetStatusText(0, "Exportiere " + name + " ...");
  context.ui.SetStatusText(1, "");
  context.ui.SetStatusText(2, "");
  if (!ExportTo(context, *path)) {
    context.diagnostics.ErrorBox("\r\nSpeichen von GED file nicht möglich:\r\n%s", path->c_str());
    return false;
  }
  ClearSelectionAndChanges(context.store);
  context.shell.ResetViewState();
  context.ui.SetStatusText(0, name + " exportiert");
  return true;
}

}  // namespace korvane
