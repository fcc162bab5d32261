#include "gedcom/import_driver.h"

#include <cerrno>
#include <chrono>
#include <memory>

#include "gedcom/import_limits.h"
#include "gedcom/link_repair.h"
#include "platform/progress.h"
#include "platform/system_error_text.h"

namespace korvane {
namespace {

std::int64_t SteadySeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// False, after saying why, when `path` cannot be read as a GEDCOM file: it is missing,
// unreadable, or a folder, device or FIFO (whose reading would fail or never end).
bool CheckReadable(Diagnostics& d, const std::string& path, bool opened, int error,
                   const FileStatus& status) {
  const char* name = path.c_str();
  if (!opened && (error == ENOENT || error == ENOTDIR)) {
    d.ErrorBox("Original GED Datei %s nicht gefunden!", name);
  } else if (error != 0) {
    d.ErrorBox("GED Datei %s kann nicht gelesen werden:\r\n%s", name,
               SystemErrorText(error).c_str());
  } else if (status.kind == FileKind::Directory) {
    d.ErrorBox("%s ist ein Ordner und keine GED Datei", name);
  } else if (status.kind != FileKind::Regular) {
    d.ErrorBox("%s ist keine gewöhnliche Datei (ein Gerät oder eine Pipe)", name);
  } else {
    return true;
  }
  return false;
}

void SetStatus(Ui& ui, int part, const std::string& text) { ui.SetStatusText(part, text); }

}  // namespace

bool LoadGedFile(LoadContext& context, const std::string& requestedPath) {
  // A copy: reloading passes the loaded file's own path, which the reset below clears.
  const std::string path = requestedPath;
  Diagnostics& d = context.diagnostics;
  if (path.find(".ged") == std::string::npos && path.find(".GED") == std::string::npos) {
    d.ErrorBox("\r\nDateierweiterung .ged fehlt in %s", path.c_str());
    return false;
  }
  const std::int64_t start = context.seconds ? context.seconds() : SteadySeconds();
  context.shell.ResetToEmpty();
  d.StartReport();
  context.store.Clear();
  context.file = LoadedFile{};
  context.file.path = path;
  context.file.recordsPath = path;
  context.file.displayName = FileNameOf(path);
  const char* name = context.file.displayName.c_str();
  SetStatus(context.ui, 0, "Laden " + context.file.displayName + " ...");

  if (!ImportGed(context, path)) {
    context.shell.ResetToEmpty();  // nothing is loaded, so the status must not name the file
    SetStatus(context.ui, 1,
              "Maximal " + std::to_string(kMaxRecordsPerKind) + " Personen pro GED Datei!");
    d.ErrorBox("\r\nLaden von GED Datei %s nicht möglich.\r\nBitte andere GED Datei importieren",
               name);
    context.store.Clear();
    return false;
  }
  const std::int64_t end = context.seconds ? context.seconds() : SteadySeconds();
  d.ReportAppend("\r\n%s geladen in %d Sek\r\n", name, static_cast<int>(end - start));

  const int corrections = RepairAllLinks(context.store, d);
  if (corrections != 0) {
    d.ReportAppend("\r\n\r\n%d Fehler automatisch korrigiert!", corrections);
    d.ReportAppend("\r\nBitte Exportieren um Änderungen zu sichern!\r\n");
  }

  context.shell.UpdateRecentFiles(path);
  context.shell.EnableDataCommands();
  context.shell.RebuildCompletionLists();
  context.shell.ShowTab(0);
  return true;
}

bool ImportGed(LoadContext& context, const std::string& path) {
  Diagnostics& d = context.diagnostics;
  int error = 0;
  const std::unique_ptr<InputFile> file = context.files.OpenForReading(path, error);
  FileStatus status;
  if (file != nullptr) error = file->Status(status);
  if (!CheckReadable(d, path, file != nullptr, error, status)) return false;
  // What an export to this file left behind when it failed or was killed.
  RemoveTemporariesOf(context.files, path);
  Progress progress(context.ui);
  progress.Begin(static_cast<std::int64_t>(status.size));
  d.SetLogPath(FolderOf(path) + "korvane.log");
  d.SetLogFirstLine(std::string(kLogFirstLineStart) + kProgramVersion);
  d.LogAppend("\n# Korvane %s", kProgramVersion);
  d.LogAppend("\n# %s", d.LogTimestamp().c_str());
  d.LogAppend("\nImport: %s\n\n", path.c_str());

  const bool ok = ReadAllRecords(context, *file, progress);
  progress.End();
  context.shell.ShowStatusAfterFileOperation();
  return ok;
}

bool ReadAllRecords(LoadContext& context, const InputFile& file, Progress& progress) {
  context.shell.WaitUntilSortReady();
  context.store.Clear();
  // Taken before the first byte is read: a file that changes while it is read is
  // another file by the time it is exported.
  context.file.recordsFile = FileIdentity::Of(file);
  const std::uint64_t size = context.file.recordsFile.size;
  std::int64_t readError = 0;
  context.file.encoding = DetectEncoding(file, &readError);
  if (readError != 0 || !context.file.recordsFile.known) {
    context.diagnostics.ErrorBox(
        "Fehler beim Lesen der GED Datei:\r\n%s",
        SystemErrorText(readError != 0 ? static_cast<int>(-readError) : EIO).c_str());
    return false;
  }
  const DetectedEncoding& encoding = context.file.encoding;
  ReadCounts& counts = context.file.counts;
  if (!ReadGedRecords(file, encoding.encoding, encoding.bomLength, size, context.store,
                      context.diagnostics, progress, counts)) {
    return false;
  }
  if (counts.indiRecords == 0) return false;
  SetStatus(context.ui, 1, std::to_string(counts.indiRecords) + " Personen");
  context.store.baselinePersonCount = context.store.PersonCount();
  context.file.baselineFamilyCount = context.store.FamilyCount();
  SetStatus(context.ui, 1,
            std::to_string(counts.indiRecords) + " Personen " + std::to_string(counts.famRecords) +
                " Familien");
  context.diagnostics.ReportAppend("%d Personen %d Familien importiert\r\n", counts.indiRecords,
                                   counts.famRecords);
  return true;
}

}  // namespace korvane
