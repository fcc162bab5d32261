#include "export/export_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "export/backup_names.h"
#include "export/reference_numbering.h"
#include "export/write_export.h"
#include "gedcom/file_parts.h"
#include "gedcom/line_writer.h"
#include "platform/file_sync.h"
#include "store/flags.h"

namespace korvane {
namespace {

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

// The parts of the records file the export reads: all up to the one with the TRLR line.
std::vector<FilePart> PartsToTrailer(std::vector<FilePart> parts, const std::vector<char>& more) {
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (!more[i]) {
      parts.resize(i + 1);
      break;
    }
  }
  return parts;
}

// Numbers the notes and sources the export writes: each part of the file is read at the
// same time, then the first part's numbering takes up the others.
std::optional<ReferenceNumbering> NumberReferences(LoadContext& context, std::FILE* source,
                                                   const ExportSelection& selection,
                                                   std::vector<FilePart>& parts,
                                                   Progress& progress) {
  const FileEncoding encoding = context.file.encoding.encoding;
  std::vector<ReferenceNumbering> numberings;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    numberings.emplace_back(&context.file.counts.respelledXrefs);
  }
  std::vector<char> more(parts.size()), failed(parts.size());
  ForEachPart(parts.size(), [&](std::size_t i) {
    LineReader reader(source, encoding, parts[i].begin, parts[i].end);
    more[i] = numberings[i].Scan(reader, context.store, selection,
                                 i == 0 ? PartProgress(progress, parts, 0) : PartProgress());
    failed[i] = reader.Failed();
  });
  parts = PartsToTrailer(parts, more);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (failed[i]) return std::nullopt;
    if (i > 0) numberings[0].Append(numberings[i]);
  }
  numberings[0].Finish();
  return std::move(numberings[0]);
}

// Both passes over the records file: numbering the notes and sources, then writing. Each
// part of the file is written at the same time; the first straight into the new file,
// the others into memory, added behind it in file order.
bool WriteNewFile(LoadContext& context, std::FILE* source, std::FILE* output,
                  WrittenOffsets& offsets) {
  const LoadedFile& file = context.file;
  const FileEncoding encoding = file.encoding.encoding;
  Progress progress(context.ui);
  const std::int64_t size = FileSize(source);
  progress.Begin(2 * size);
  const ExportSelection selection(context.store);
  std::vector<FilePart> parts =
      SplitAtRecords(source, encoding, file.encoding.bomLength, static_cast<std::uint64_t>(size),
                     CurrentFilePartPolicy());
  const std::optional<ReferenceNumbering> numbering =
      NumberReferences(context, source, selection, parts, progress);
  if (!numbering) return false;

  LineWriter writer(output, encoding);
  if (file.encoding.bomLength > 0) writer.WriteByteOrderMark();
  std::vector<WrittenPart> written(parts.size());
  std::vector<std::string> texts(parts.size());
  std::vector<char> failed(parts.size());
  ForEachPart(parts.size(), [&](std::size_t i) {
    LineReader reader(source, encoding, parts[i].begin, parts[i].end);
    if (i == 0) {
      written[0] = WriteExport(context.store, reader, writer, selection, *numbering,
                               PartProgress(progress, parts, size));
    } else {
      const std::size_t bytes = parts[i].end - parts[i].begin;
      LineWriter memory(encoding, bytes + bytes / 8 + 4096);
      written[i] = WriteExport(context.store, reader, memory, selection, *numbering,
                               PartProgress());
      texts[i] = memory.TakeOutput();
    }
    failed[i] = reader.Failed();
  });
  bool ok = writer.Finish();
  offsets = std::move(written[0].offsets);
  std::uint64_t base = writer.Position();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    ok = ok && !failed[i];
    if (i == 0) continue;
    auto move = [base](std::vector<std::uint64_t>& into, const std::vector<std::uint64_t>& from) {
      for (std::size_t n = 0; n < from.size(); ++n) {
        if (from[n] != 0) into[n] = base + from[n];
      }
    };
    move(offsets.persons, written[i].offsets.persons);
    move(offsets.families, written[i].offsets.families);
    ok = ok && std::fwrite(texts[i].data(), 1, texts[i].size(), output) == texts[i].size();
    StartWriteBack(output, base, texts[i].size());
    base += texts[i].size();
  }
  progress.End();
  return ok;
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
  bool written = WriteNewFile(context, source, output, offsets);
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
