#pragma once

// Helpers for the export tests: GEDCOM text written to a private folder, a loaded file
// with everything an export needs around it, and the exported lines read back.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_command.h"
#include "gedcom/file_encoding.h"
#include "gedcom/import_driver.h"
#include "gedcom/line_reader.h"
#include "platform/scripted_ui.h"
#include "platform/shell_hooks.h"
#include "store/diagnostics.h"
#include "store/flags.h"
#include "store/store.h"

namespace korvane::export_test {

// A folder of its own per test, removed again at the end.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    static int count = 0;
    std::string name =
        "korvane-export-" + std::to_string(::getpid()) + "-" + std::to_string(++count) + "-";
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
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // The names of the files in the folder or one of its subfolders, sorted.
  std::vector<std::string> Names(std::string_view subfolder = "") const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_ / subfolder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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

// GEDCOM text from lines, each ended with CR LF (the export's own line end).
inline std::string Ged(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) (text += line) += "\r\n";
  return text;
}

// The lines of a file as UTF-8, read in the encoding the file announces.
inline std::vector<std::string> FileLines(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {"<missing " + path + ">"};
  LineReader reader(file, DetectEncoding(file).encoding);
  std::vector<std::string> lines;
  for (GedLine line; reader.ReadLine(line);) lines.emplace_back(line.text);
  std::fclose(file);
  return lines;
}

class CountingShell : public ShellHooks {
 public:
  void ResetToEmpty() override {}
  void WaitUntilSortReady() override {}
  void UpdateRecentFiles(std::string_view) override {}
  void EnableDataCommands() override {}
  void RebuildCompletionLists() override {}
  void ShowTab(int) override {}
  void ResetViewState() override { ++viewResets; }
  void ShowStatusAfterFileOperation() override {}
  int viewResets = 0;
};

// A loaded file and everything around it, as the menu command finds it.
struct Session {
  bool Load(const std::string& path) { return LoadGedFile(context, path); }
  bool LoadText(std::string_view bytes, std::string_view name = "in.ged") {
    return Load(folder.Write(name, bytes));
  }
  void SelectAll() {
    for (Rin rin = 1; rin <= store.PersonCount(); ++rin) Select(rin);
  }
  void Select(std::initializer_list<Rin> rins) {
    for (const Rin rin : rins) Select(rin);
  }
  void Select(Rin rin) { store.personTable[rin].flags |= SelectedFlag; }
  Person& P(Rin rin) { return store.personTable[rin]; }
  Family& F(Mrin mrin) { return store.familyTable[mrin]; }

  // Exports to a file of the folder and returns its lines; empty when it failed.
  std::vector<std::string> Export(std::string_view name = "out.ged") {
    if (!ExportTo(context, folder.Path(name))) return {};
    return FileLines(folder.Path(name));
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const ScriptedUi::ShownBox& box : ui.Boxes()) texts.push_back(box.title + ": " + box.text);
    return texts;
  }

  TempFolder folder;
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store store;
  LoadedFile file;
  CountingShell shell;
  LoadContext context{store, diagnostics, ui, shell, file, [] { return std::int64_t{0}; }};
};

// The lines of the record whose level-0 line is `header`, up to the next level-0 line.
inline std::vector<std::string> Record(const std::vector<std::string>& lines,
                                       std::string_view header) {
  std::vector<std::string> record;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.starts_with("0 ")) inside = line == header;
    if (inside) record.push_back(line);
  }
  return record;
}

using Lines = std::vector<std::string>;

}  // namespace korvane::export_test
