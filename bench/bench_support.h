#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "bench/gedcom_generator.h"
#include "platform/shell_hooks.h"

namespace korvane::bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);

// Best wall time of `rounds` runs of `work`.
double BestOf(int rounds, const std::function<void()>& work);

// Generates the file once into the bench folder of the temp directory and returns its
// path; a file already there from an earlier run with the same options is reused.
std::string GeneratedFile(const GeneratorOptions& options);

// Runs `work` in a child process and returns the child's peak resident memory in bytes.
long PeakMemoryOf(const std::function<void()>& work);

// A shell without windows or list sort.
class QuietShell : public ShellHooks {
 public:
  void ResetToEmpty() override {}
  void WaitUntilSortReady() override {}
  void UpdateRecentFiles(std::string_view) override {}
  void EnableDataCommands() override {}
  void RebuildCompletionLists() override {}
  void ShowTab(int) override {}
  void ResetViewState() override {}
  void ShowStatusAfterFileOperation() override {}
};

}  // namespace korvane::bench
