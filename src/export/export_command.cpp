#include "export/export_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "export/backup_names.h"
#include "export/reference_numbering.h"
#include "export/write_export.h"
#include "gedcom/file_parts.h"
#include "gedcom/line_writer.h"
#include "platform/parallel.h"
#include "platform/system_hints.h"
#include "store/flags.h"

namespace korvane {
namespace {

constexpr std::uint64_t kLargestFileInParts = std::uint64_t{1} << 30;

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

std::int64_t FileSize(std::FILE* file) {
  if (fseeko(file, 0, SEEK_END) != 0) return 0;
  const off_t size = ftello(file);
  return size > 0 ? size : 0;
}

bool ContainsGed(const std::string& path) {
  for (std::size_t i = 0; i + 3 <= path.size(); ++i) {
    if ((path[i] | 0x20) == 'g' && (path[i + 1] | 0x20) == 'e' && (path[i + 2] | 0x20) == 'd') {
      return true;
    }
  }
  return false;
}

// A new file beside `target` that nothing else uses.
std::FILE* CreateTemporary(const std::string& target, std::string& path) {
  std::string pattern = target + ".neu-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return nullptr;
  ::fchmod(fd, 0644);
  path = pattern;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    ::close(fd);
    std::remove(path.c_str());
  }
  return file;
}

// The line end of the file's first line, which lines of the export's own end with too.
std::string FirstLineEnd(std::FILE* source, FileEncoding encoding, std::uint64_t begin) {
  LineReader reader(source, encoding, begin, begin + 4096);
  GedLine line;
  if (!reader.ReadLine(line)) return {};
  return std::string(line.End());
}

// Where each written record starts in the new file, by number; 0 for records that were
// not written.
struct WrittenOffsets {
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
std::vector<PartOutput> WriteParts(LoadContext& context, std::FILE* source,
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

// Writes the parts behind the first in file order, then the TRLR line with what stood
// behind it, and gathers where the records now stand. False when anything failed.
bool JoinParts(const Store& store, LineWriter& writer, std::FILE* output,
               const std::vector<PartOutput>& outputs, WrittenOffsets& offsets) {
  const std::string lineEnd = writer.LineEnd();
  bool ok = writer.Finish();
  std::string trailer, afterTrailer;
  bool open = false;  // the output so far ends in a line without line end
  offsets.persons.assign(store.personTable.size(), 0);
  offsets.families.assign(store.familyTable.size(), 0);
  std::uint64_t next = writer.Position();  // where the next part's output goes
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const PartOutput& part = outputs[i];
    ok = ok && !part.failed;
    const std::uint64_t base = i == 0 ? 0 : next;
    for (const WrittenPart::Record& record : part.written.records) {
      (record.family ? offsets.families : offsets.persons)[record.number] =
          base + record.position;
    }
    if (i > 0) {
      ok = ok && std::fwrite(part.text.data(), 1, part.text.size(), output) == part.text.size();
      StartWriteBack(output, next, part.text.size());
      next += part.text.size();
    }
    if (i == 0 || !part.text.empty()) open = part.written.endsOpen;
    if (trailer.empty()) trailer = part.written.trailer;
    afterTrailer += part.written.afterTrailer;
  }
  // Records behind a TRLR line were written before it: the file ends with it again.
  std::string end = (open && !trailer.empty() ? lineEnd : "") + trailer + afterTrailer;
  if (!end.empty()) {
    ok = ok && std::fwrite(end.data(), 1, end.size(), output) == end.size();
  }
  return ok;
}

// Numbers the notes and sources and writes the new file.
bool WriteNewFile(LoadContext& context, std::FILE* source, std::FILE* output,
                  WrittenOffsets& offsets) {
  LoadedFile& file = context.file;
  const FileEncoding encoding = file.encoding.encoding;
  const auto size = static_cast<std::uint64_t>(FileSize(source));
  // The note and source pointers come from the load while the records file is the one
  // that was loaded; otherwise (after an export) they are read anew first.
  ReferenceIndex& index = file.counts.references;
  const FileIdentity identity = FileIdentity::Of(source);
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
    return false;
  }
  const ExportSelection selection(context.store);
  const ReferenceNumbering numbering(index, context.store, selection,
                                     &file.counts.respelledXrefs);
  LineWriter writer(output, encoding);
  writer.SetLineEnd(FirstLineEnd(source, encoding, file.encoding.bomLength));
  if (file.encoding.bomLength > 0) writer.WriteByteOrderMark();
  const PartProgress writing(progress, parts, readAgain ? static_cast<std::int64_t>(size) : 0);
  const std::vector<PartOutput> outputs =
      WriteParts(context, source, parts, writer, selection, numbering, writing);
  return JoinParts(context.store, writer, output, outputs, offsets);
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

}  // namespace

bool ExportTo(LoadContext& context, const std::string& target) {
  Diagnostics& d = context.diagnostics;
  LoadedFile& file = context.file;
  d.LogAppend("\n# %s", d.LogTimestamp().c_str());
  d.LogAppend("\n- Auto-Source: %s\n", file.path.c_str());

  std::FILE* source = std::fopen(file.recordsPath.c_str(), "rb");
  if (source == nullptr) {
    d.ErrorBox("Original GED Datei %s nicht gefunden!", file.recordsPath.c_str());
    return false;
  }
  std::string temporary;
  std::FILE* output = CreateTemporary(target, temporary);
  if (output == nullptr) {
    std::fclose(source);
    d.ErrorBox("Fehler beim Öffnen der Datei '%s'", target.c_str());
    return false;
  }
  context.ui.SetStatusText(0, FileNameOf(target) + " teil-exportieren");
  WrittenOffsets offsets;
  bool written = false;
  try {
    written = WriteNewFile(context, source, output, offsets);
  } catch (const std::bad_alloc&) {
    // The parts of a large file are kept in memory: without room the export fails, and
    // like every failure it leaves the files as they were.
  }
  std::fclose(source);
  written = std::fflush(output) == 0 && ::fsync(::fileno(output)) == 0 && written;
  written = std::fclose(output) == 0 && written;
  if (!written) {
    std::remove(temporary.c_str());
    d.ErrorBox("Fehler beim Schreiben der Datei '%s'", target.c_str());
    return false;
  }

  std::string backup;
  const std::string recordsPath = file.recordsPath;
  if (FileExists(target)) {
    backup = BackupPathFor(target, FileExists);
    if (std::rename(target.c_str(), backup.c_str()) != 0) {
      const int error = errno;
      std::remove(temporary.c_str());
      d.ErrorBox("OpenFiles error  %d", error);
      return false;
    }
    d.LogAppend("\n(Backup in: %s)\n", backup.c_str());
    if (file.recordsPath == target) file.recordsPath = backup;
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    if (!backup.empty()) std::rename(backup.c_str(), target.c_str());
    file.recordsPath = recordsPath;  // the records are where they were
    std::remove(temporary.c_str());
    d.ErrorBox("OpenFiles error  %d", error);
    return false;
  }

  // The log of the exported state goes beside the backup; the next line starts a new one.
  const std::string rotatedLog = RotatedLogPath(backup.empty() ? target : backup);
  if (!d.LogPath().empty()) {
    std::remove(rotatedLog.c_str());
    std::rename(d.LogPath().c_str(), rotatedLog.c_str());
  }
  MoveRecordOffsets(context.store, offsets);
  file.counts.respelledXrefs.clear();  // the new file spells every record as its header
  file.path = target;
  file.recordsPath = target;
  file.displayName = FileNameOf(target);
  return true;
}

bool ExportCommand(LoadContext& context) {
  const std::optional<std::string> path =
      context.ui.ChooseFile({"GED Dateien (*.ged)", "*.ged", ".ged", false});
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
