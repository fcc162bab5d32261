#pragma once

// Helpers for the GEDCOM tests: files in a private temporary folder, GEDCOM text built
// from lines, and a reader run over bytes without the import driver around it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/file_encoding.h"
#include "gedcom/ged_reader.h"
#include "gedcom/import_driver.h"
#include "gedcom/line_reader.h"
#include "gedcom/loaded_file.h"
#include "platform/progress.h"
#include "platform/scripted_ui.h"
#include "platform/shell_hooks.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane::gedcom_test {

// A folder of its own per test, removed again at the end.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    static int made = 0;
    std::string name =
        "korvane-gedcom-" + std::to_string(::getpid()) + "-" + std::to_string(++made) + "-";
    if (info != nullptr) name += std::string(info->test_suite_name()) + "." + info->name();
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(std::string_view name) const { return (path_ / name).string(); }

  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = Path(name);
    // A new file rather than a truncated one, which some file systems flush on close.
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // A copy of a file that must stay untouched (loading writes a log beside the file).
  std::string Copy(const std::string& source) const {
    const std::string target = Path(std::filesystem::path(source).filename().string());
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    return target;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// GEDCOM text from lines separated by "|", each ended with CR LF.
inline std::string Ged(std::string_view lines) {
  std::string text;
  for (const char ch : lines) ch == '|' ? text += "\r\n" : text += ch;
  return text + "\r\n";
}

// UTF-16 LE with its mark, for text whose bytes are Latin-1 characters.
inline std::string Utf16Le(std::string_view latin1) {
  std::string bytes = "\xFF\xFE";
  for (const char ch : latin1) (bytes += ch) += '\0';
  return bytes;
}

// An unnamed temporary file holding `bytes`, positioned at its start.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr FileWith(std::string_view bytes) {
  FilePtr file(std::tmpfile());
  std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  std::rewind(file.get());
  return file;
}

// One run of the reader over bytes, with everything it reports.
struct ReadRun {
  explicit ReadRun(std::string_view bytes, std::string logPath = {}) {
    diagnostics.SetLogPath(std::move(logPath));
    file = FileWith(bytes);
    encoding = DetectEncoding(file.get());
    LineReader reader(file.get(), encoding.encoding);
    progress.Begin(static_cast<std::int64_t>(bytes.size()));
    ok = ReadGedRecords(reader, store, diagnostics, progress, counts);
    progress.End();
  }

  const Person& P(Rin rin) const { return store.PersonRecord(rin); }
  const Family& F(Mrin mrin) const { return store.FamilyRecord(mrin); }
  std::string Report() const { return std::string(diagnostics.ReportText()); }

  FilePtr file;
  DetectedEncoding encoding;
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Progress progress{ui};
  Store store;
  ReadCounts counts;
  bool ok = false;
};

// A shell that only notes what it was asked to do.
class RecordingShell : public ShellHooks {
 public:
  void ResetToEmpty() override { calls.push_back("ResetToEmpty"); }
  void WaitUntilSortReady() override { calls.push_back("WaitUntilSortReady"); }
  void UpdateRecentFiles(std::string_view path) override {
    calls.push_back("UpdateRecentFiles " + std::string(path));
  }
  void EnableDataCommands() override { calls.push_back("EnableDataCommands"); }
  void RebuildCompletionLists() override { calls.push_back("RebuildCompletionLists"); }
  void ShowTab(int tab) override { calls.push_back("ShowTab " + std::to_string(tab)); }
  void ResetViewState() override { calls.push_back("ResetViewState"); }
  void ShowStatusAfterFileOperation() override { calls.push_back("ShowStatus"); }

  std::vector<std::string> calls;
};

// The import driver with everything around it; the clock advances 3 seconds per reading.
struct Loader {
  bool Load(const std::string& path) { return LoadGedFile(context, path); }
  bool LoadText(std::string_view bytes, std::string_view name = "b.ged") {
    return Load(folder.Write(name, bytes));
  }
  std::string Report() const { return std::string(diagnostics.ReportText()); }
  // What the link repair reported: everything behind the "geladen in" line.
  std::string RepairReport() const {
    const std::string report = Report();
    const std::size_t loaded = report.find(" Sek\r\n");
    return loaded == std::string::npos ? "<not loaded>" : report.substr(loaded + 6);
  }
  const Person& P(Rin rin) const { return store.PersonRecord(rin); }
  const Family& F(Mrin mrin) const { return store.FamilyRecord(mrin); }

  TempFolder folder;
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store store;
  LoadedFile file;
  RecordingShell shell;
  std::int64_t clock = 0;
  LoadContext context{store, diagnostics, ui, shell, file, [this] { return clock += 3; }};
};

inline std::string Text(const char* text) { return text == nullptr ? "<null>" : text; }

inline std::vector<std::int32_t> Entries(const LinkList& list) {
  return {list.begin(), list.end()};
}

}  // namespace korvane::gedcom_test
