#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bench/gedcom_generator.h"
#include "gedcom/import_driver.h"
#include "platform/passive_shell.h"
#include "platform/scripted_ui.h"

namespace korvane::bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);

// Best wall time of `rounds` runs of `work`.
double BestOf(int rounds, const std::function<void()>& work);

// Generates the file once into the bench folder of the temp directory and returns its
// path; a file already there from an earlier run with the same options is reused.
std::string GeneratedFile(const GeneratorOptions& options);

// Runs this program again with `arguments` (argv[0] included): its standard output and
// its peak resident memory in bytes, as `/usr/bin/time -v` reports it (-1 when the run
// failed). A fresh process starts without the memory earlier rounds left behind.
struct FreshRun {
  std::string output;
  long peakBytes = -1;
};
FreshRun RunAgain(const std::vector<std::string>& arguments);

// Everything a load or an export works on, without windows.
struct BenchSession {
  ScriptedUi ui;
  Store store;
  Diagnostics diagnostics{ui};
  LoadedFile file;
  PassiveShell shell;
  LoadContext context{store, diagnostics, ui, shell, file, nullptr};
};

}  // namespace korvane::bench
