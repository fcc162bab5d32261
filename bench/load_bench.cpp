// Loads a generated file of 250,000 persons (read and link repair) and, side by side in
// the same run, counts its lines with `wc -l`. Prints both times, their ratio and the peak
// memory of the load against the file size.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"

int main(int argc, char** argv) {
  using namespace korvane;
  using namespace korvane::bench;
  if (argc == 3 && std::string(argv[1]) == "--load-once") {  // a load in a fresh process
    BenchSession session;
    const Clock::time_point start = Clock::now();
    if (!LoadGedFile(session.context, argv[2])) return 1;
    std::printf("%.6f\n", SecondsSince(start));
    return 0;
  }
  GeneratorOptions options;
  options.persons = argc > 1 ? std::atoi(argv[1]) : 250'000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string only = argc > 3 ? argv[3] : "";  // one encoding: "utf8", "cp1252", "utf16le"
  // "load" is the best of the rounds; "fresh" the one load of a new process, which finds
  // no memory of earlier rounds to use again.
  std::printf("%-10s %8s %8s %8s %7s %8s %7s %9s %7s\n", "encoding", "MB", "wc -l", "load", "ratio",
              "fresh", "ratio", "peak MB", "x size");
  for (const GeneratedEncoding encoding :
       {GeneratedEncoding::Utf8, GeneratedEncoding::Cp1252, GeneratedEncoding::Utf16Le}) {
    const char* names[] = {"cp1252", "utf8", "utf8nobom", "utf16le", "utf16be"};
    if (!only.empty() && only != names[static_cast<int>(encoding)]) continue;
    options.encoding = encoding;
    const std::string path = GeneratedFile(options);
    const double size = static_cast<double>(std::filesystem::file_size(path));
    const std::string wc = "wc -l '" + path + "' > /dev/null";
    // `wc -l` runs before and after the loads and keeps its best time of either.
    auto countLines = [&] {
      return BestOf(rounds, [&] {
        if (std::system(wc.c_str()) != 0) std::exit(1);
      });
    };
    double wcSeconds = countLines();
    // Only the load is timed: each round's session is made before it and cleared after.
    double loadSeconds = 1e30;
    for (int round = 0; round < rounds; ++round) {
      BenchSession session;
      const Clock::time_point start = Clock::now();
      if (!LoadGedFile(session.context, path)) std::exit(1);
      loadSeconds = std::min(loadSeconds, SecondsSince(start));
    }
    wcSeconds = std::min(wcSeconds, countLines());
    const FreshRun fresh = RunAgain({argv[0], "--load-once", path});
    const double freshSeconds = std::atof(fresh.output.c_str());
    const double peak = static_cast<double>(fresh.peakBytes);
    std::printf("%-10s %8.1f %6.0fms %6.0fms %7.1f %6.0fms %7.1f %9.1f %7.2f\n",
                names[static_cast<int>(encoding)], size / 1e6, wcSeconds * 1e3, loadSeconds * 1e3,
                loadSeconds / wcSeconds, freshSeconds * 1e3, freshSeconds / wcSeconds, peak / 1e6,
                peak / size);
  }
  return 0;
}
