#pragma once

// Helpers for the GEDCOM tests: a reader run over bytes without the import driver around
// it, and the import driver with everything it talks to.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/test_support.h"
#include "gedcom/file_encoding.h"
#include "gedcom/ged_reader.h"
#include "gedcom/import_driver.h"
#include "gedcom/line_reader.h"
#include "gedcom/loaded_file.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file.h"
#include "platform/passive_shell.h"
#include "platform/progress.h"
#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane::gedcom_test {

using test::Ged;
using test::ReadFile;
using test::TempFolder;

// UTF-16 LE with its mark, for text whose bytes are Latin-1 characters.
inline std::string Utf16Le(std::string_view latin1) {
  std::string bytes = "\xFF\xFE";
  for (const char ch : latin1) (bytes += ch) += '\0';
  return bytes;
}

// A file holding `bytes`.
using FilePtr = std::unique_ptr<InputFile>;

inline FilePtr FileWith(std::string_view bytes) { return std::make_unique<MemoryFile>(bytes); }

// What the reader and the import driver fill in and report to.
struct Tables {
  const Person& P(Rin rin) const { return store.PersonRecord(rin); }
  const Family& F(Mrin mrin) const { return store.FamilyRecord(mrin); }
  std::string Report() const { return std::string(diagnostics.ReportText()); }

  ScriptedUi ui;
  FaultyFileSystem files;  // passes everything on until a test tells it to fail
  Diagnostics diagnostics{ui, files};
  Store store;
};

// One run of the record reader over bytes, without the driver and the link repair.
struct ReadRun : Tables {
  explicit ReadRun(std::string_view bytes, std::string logPath = {}) {
    diagnostics.SetLogPath(std::move(logPath));
    const FilePtr file = FileWith(bytes);
    const DetectedEncoding encoding = DetectEncoding(*file);
    Progress progress(ui);
    progress.Begin(static_cast<std::int64_t>(bytes.size()));
    ok = ReadGedRecords(*file, encoding.encoding, encoding.bomLength, bytes.size(), store,
                        diagnostics, progress, counts);
    progress.End();
  }

  ReadCounts counts;
  bool ok = false;
};

// The import driver with everything around it; the clock advances 3 seconds per reading.
struct Loader : Tables {
  bool Load(const std::string& path) { return LoadGedFile(context, path); }
  bool LoadText(std::string_view bytes, std::string_view name = "b.ged") {
    return Load(folder.Write(name, bytes));
  }
  // What the link repair reported: everything behind the "geladen in" line.
  std::string RepairReport() const {
    const std::string report = Report();
    const std::size_t loaded = report.find(" Sek\r\n");
    return loaded == std::string::npos ? "<not loaded>" : report.substr(loaded + 6);
  }

  TempFolder folder;
  LoadedFile file;
  PassiveShell shell;
  std::int64_t clock = 0;
  LoadContext context{store, diagnostics, ui, shell, file, [this] { return clock += 3; }, files};
};

inline std::string Text(const char* text) { return text == nullptr ? "<null>" : text; }

inline std::vector<std::int32_t> Entries(const LinkList& l) { return {l.begin(), l.end()}; }

}  // namespace korvane::gedcom_test
