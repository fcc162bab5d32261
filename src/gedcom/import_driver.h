#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "gedcom/loaded_file.h"
#include "platform/file_system.h"
#include "platform/progress.h"
#include "platform/shell_hooks.h"
#include "platform/ui.h"
#include "store/diagnostics.h"
#include "store/store.h"

namespace korvane {

// The program version written into every log header.
inline constexpr const char* kProgramVersion = "2.7.9";
// How every program log of ours begins: the import's header line, which the log gets
// also when a later operation starts it (see Diagnostics::SetLogFirstLine).
inline constexpr std::string_view kLogFirstLineStart = "\n# Korvane ";

// What a load works on.
struct LoadContext {
  Store& store;
  Diagnostics& diagnostics;
  Ui& ui;
  ShellHooks& shell;
  LoadedFile& file;
  // Seconds of a steady clock, for the "geladen in" line; tests set their own.
  std::function<std::int64_t()> seconds;
  // Where the files are read and written; tests give one that fails on purpose.
  FileSystem& files = DefaultFileSystem();
};

// Loads a GEDCOM file: checks the name, drops the previous data, reads all records with
// progress, repairs the links and reports what happened. Returns false after showing why
// when the file could not be loaded; the program is then empty.
bool LoadGedFile(LoadContext& context, const std::string& path);

// Opens the file, writes the log header and reads the records around the progress bar.
bool ImportGed(LoadContext& context, const std::string& path);

// Replaces the tables by the records of the open file.
bool ReadAllRecords(LoadContext& context, const InputFile& file, Progress& progress);

}  // namespace korvane
