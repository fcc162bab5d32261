// Exports the whole generated file of 250,000 persons with every record unchanged, again
// with every record marked changed (so each one is rebuilt), and unchanged once more
// right after a first export, each side by side with `cp` of the same file in the same
// run. Prints the times and their ratios.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "export/export_command.h"
#include "store/flags.h"

int main(int argc, char** argv) {
  using namespace korvane;
  using namespace korvane::bench;
  namespace fs = std::filesystem;
  GeneratorOptions options;
  options.persons = argc > 1 ? std::atoi(argv[1]) : 250'000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string only = argc > 3 ? argv[3] : "";  // "unchanged", "rebuilt" or "again"
  const std::string path = GeneratedFile(options);
  const std::string target = (fs::path(path).parent_path() / "export-target.ged").string();
  const std::string copy = (fs::path(path).parent_path() / "copy-target.ged").string();
  const std::string first = (fs::path(path).parent_path() / "first-target.ged").string();

  BenchSession session;
  Store& store = session.store;
  LoadContext& context = session.context;
  if (!LoadGedFile(context, path)) return 1;
  const std::string cp = "cp '" + path + "' '" + copy + "'";
  const double cpSeconds = BestOf(rounds, [&] {
    if (std::system(cp.c_str()) != 0) std::exit(1);
  });

  std::printf("%.1f MB, best of %d rounds; cp %.0f ms\n", fs::file_size(path) / 1e6, rounds,
              cpSeconds * 1e3);
  // "again": an unchanged export right after another one, from the file that one wrote
  // (its note and source pointers are read anew).
  for (const std::string mode : {"unchanged", "rebuilt", "again"}) {
    if (!only.empty() && only != mode) continue;
    const bool changed = mode == "rebuilt";
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
      // Every export makes the target the current file: start from the loaded one again.
      if (!LoadGedFile(context, path)) return 1;
      for (Person& p : store.personTable) p.flags |= SelectedFlag | (changed ? ChangedFlag : 0);
      for (Family& f : store.familyTable) f.flags |= changed ? ChangedFlag : 0;
      fs::remove(target);
      if (mode == "again" && !ExportTo(context, first)) return 1;
      const auto start = Clock::now();
      if (!ExportTo(context, target)) return 1;
      best = std::min(best, SecondsSince(start));
      fs::remove(first);
    }
    std::printf("%-10s export %6.0f ms   ratio to cp %5.1f\n", mode.c_str(), best * 1e3,
                best / cpSeconds);
  }
  fs::remove(target);
  fs::remove(copy);
  return 0;
}
