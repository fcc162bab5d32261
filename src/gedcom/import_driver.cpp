#include "gedcom/import_driver.h"

#include <chrono>
#include <cstdio>

#include "gedcom/import_limits.h"
#include "gedcom/link_repair.h"
#include "platform/progress.h"

namespace korvane {
namespace {

std::int64_t SteadySeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::int64_t FileSize(std::FILE* file) {
  if (fseeko(file, 0, SEEK_END) != 0) return 0;
  const off_t size = ftello(file);
  std::rewind(file);
  return size > 0 ? size : 0;
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
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    d.ErrorBox("Original GED Datei %s nicht gefunden!", path.c_str());
    return false;
  }
  Progress progress(context.ui);
  progress.Begin(FileSize(file));
  d.SetLogPath(FolderOf(path) + "korvane.log");
  d.LogAppend("\n# Korvane %s", kProgramVersion);
  d.LogAppend("\n# %s", d.LogTimestamp().c_str());
  d.LogAppend("\nImport: %s\n\n", path.c_str());

  const bool ok = ReadAllRecords(context, file, progress);
  std::fclose(file);
  progress.End();
  context.shell.ShowStatusAfterFileOperation();
  return ok;
}

bool ReadAllRecords(LoadContext& context, std::FILE* file, Progress& progress) {
  context.shell.WaitUntilSortReady();
  context.store.Clear();
  const auto size = static_cast<std::uint64_t>(FileSize(file));
  context.file.encoding = DetectEncoding(file);
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
