#pragma once

// Helpers for the export tests: a loaded file with everything an export needs around it,
// and the exported lines read back.

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <set>

#include "common/test_support.h"
#include "export/export_command.h"
#include "gedcom/import_driver.h"
#include "gedcom/line_reader.h"
#include "platform/faulty_file_system.h"
#include "platform/passive_shell.h"
#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store/flags.h"
#include "store/store.h"

namespace korvane::export_test {

using test::Ged;
using test::ReadFile;
using test::TempFolder;
using Lines = std::vector<std::string>;

// Lines from one string with "|" between them.
inline Lines Split(std::string_view lines) {
  Lines split;
  for (std::size_t start = 0, bar = 0; bar != std::string_view::npos; start = bar + 1) {
    bar = lines.find('|', start);
    split.emplace_back(lines.substr(start, bar - start));
  }
  return split;
}

// The lines of a file as UTF-8, read in the encoding the file announces.
inline Lines FileLines(const std::string& path) {
  int error = 0;
  const std::unique_ptr<InputFile> file = DefaultFileSystem().OpenForReading(path, error);
  if (file == nullptr) return {"<missing " + path + ">"};
  LineReader reader(*file, DetectEncoding(*file));
  Lines lines;
  for (GedLine line; reader.ReadLine(line);) lines.emplace_back(line.text);
  return lines;
}

// The lines of the record whose level-0 line is `header`, up to the next level-0 line.
inline Lines Record(const Lines& lines, std::string_view header) {
  Lines record;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.starts_with("0 ")) inside = line == header;
    if (inside) record.push_back(line);
  }
  return record;
}

// The bundled sample and every GEDCOM file of the shared test data, when that is there.
inline std::set<std::string> SampleFiles() {
  std::set<std::string> files = {std::string(KORVANE_SAMPLES) + "/familie-brandt.ged"};
  std::error_code missing;  // then only the sample
  for (const auto& entry : std::filesystem::directory_iterator(KORVANE_SHARED_TESTDATA, missing)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".ged" || ext == ".GED") files.insert(entry.path().string());
  }
  return files;
}
inline bool SharedTestData() { return std::filesystem::is_directory(KORVANE_SHARED_TESTDATA); }

class CountingShell : public PassiveShell {
 public:
  void ResetViewState() override { ++viewResets; }
  int viewResets = 0;
};

// A loaded file and everything around it, as the menu command finds it.
struct Session {
  bool Load(const std::string& path) { return LoadGedFile(context, path); }
  bool LoadText(std::string_view bytes) { return Load(folder.Write("in.ged", bytes)); }
  void SelectAll() {
    for (Rin rin = 1; rin <= store.PersonCount(); ++rin) Select({rin});
  }
  void Select(std::initializer_list<Rin> rins) {
    for (const Rin rin : rins) P(rin).flags |= SelectedFlag;
  }
  Person& P(Rin rin) { return store.personTable[rin]; }

  // Exports to a file of the folder and returns its lines; empty when it failed.
  Lines Export(std::string_view name = "out.ged") {
    if (!ExportTo(context, folder.Path(name))) return {};
    return FileLines(folder.Path(name));
  }
  Lines BoxTexts() const {
    Lines texts;
    for (const ScriptedUi::ShownBox& box : ui.Boxes()) texts.push_back(box.title + ": " + box.text);
    return texts;
  }

  TempFolder folder;
  ScriptedUi ui;
  FaultyFileSystem files;  // passes everything on until a test tells it to fail
  Diagnostics diagnostics{ui, files};
  Store store;
  LoadedFile file;
  CountingShell shell;
  LoadContext context{store, diagnostics, ui, shell, file, [] { return std::int64_t{0}; }, files};
};

}  // namespace korvane::export_test
