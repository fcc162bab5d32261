// Opens the RIN search over a generated table of persons and times each keystroke of a
// few typed searches, from a found first row to a full scan without a match.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/generated_store.h"
#include "editing/rin_search.h"

namespace {

double Milliseconds(korvane::bench::Clock::time_point start) {
  return 1e3 * korvane::bench::SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvane;
  const int persons = argc > 1 ? std::atoi(argv[1]) : 250'000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  Store store;
  bench::GenerateStore(store, persons, 4711);

  bench::Clock::time_point start = bench::Clock::now();
  std::vector<Rin> rows = PersonsByName(store);
  std::printf("%d persons: PersonsByName %.1f ms\n", persons, Milliseconds(start));
  start = bench::Clock::now();
  RinSearchDialog dialog(store, std::move(rows));
  std::printf("open %.3f ms\n", Milliseconds(start));

  const char* const searches[] = {"Zimmermann, Wilhelmine", "Albrecht, Johann", "Müller, Maria",
                                  "Xaver", "249999"};
  std::printf("%-24s %10s %10s %8s\n", "typed", "worst ms", "mean ms", "row");
  for (const char* search : searches) {
    const std::string typed = search;
    double worst = 0, total = 0;
    int keys = 0, found = -1;
    for (int round = 0; round < rounds; ++round) {
      for (std::size_t length = 1; length <= typed.size(); ++length) {
        start = bench::Clock::now();
        const std::optional<int> row =
            dialog.TextChanged(std::string_view(typed).substr(0, length));
        const double ms = Milliseconds(start);
        worst = std::max(worst, ms);
        total += ms;
        ++keys;
        found = row.value_or(-1);
      }
    }
    std::printf("%-24s %10.3f %10.3f %8d\n", search, worst, total / keys, found);
  }
  return 0;
}
