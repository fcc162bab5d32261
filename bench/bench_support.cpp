#include "bench/bench_support.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace korvane::bench {

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double BestOf(int rounds, const std::function<void()>& work) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, SecondsSince(start));
  }
  return best;
}

std::string GeneratedFile(const GeneratorOptions& options) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "korvane-bench";
  fs::create_directories(folder);
  const char* encodings[] = {"cp1252", "utf8", "utf8nobom", "utf16le", "utf16be"};
  const fs::path path =
      folder / ("gen-" + std::to_string(options.persons) + "-" + std::to_string(options.seed) +
                "-" + encodings[static_cast<int>(options.encoding)] + ".ged");
  if (!fs::exists(path)) {
    std::ofstream out(path, std::ios::binary);
    if (!GenerateGedcom(options, out, nullptr)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      std::exit(1);
    }
  }
  return path.string();
}

FreshRun RunAgain(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int out[2];
  if (::pipe(out) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execv("/proc/self/exe", argv.data());
    std::_Exit(127);
  }
  ::close(out[1]);
  FreshRun run;
  char buffer[256];
  for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
    run.output.append(buffer, got);
  ::close(out[0]);
  int status = 0;
  struct rusage usage {};
  ::wait4(child, &status, 0, &usage);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) run.peakBytes = usage.ru_maxrss * 1024L;
  return run;
}

}  // namespace korvane::bench
