// Sorts a generated table of persons with SortRecords and, side by side, with std::sort
// over the same comparison (as a strict weak order), for three keys and three input
// orders. Prints both times and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "bench/generated_store.h"
#include "store/compare_persons.h"
#include "store/sort_records.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvane;
  const int persons = argc > 1 ? std::atoi(argv[1]) : 250'000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  Store store;
  bench::GenerateStore(store, persons, 4711);

  std::printf("%d persons, best of %d rounds\n", persons, rounds);
  std::printf("%-4s %-8s %12s %12s %8s\n", "key", "input", "SortRecords", "std::sort", "ratio");
  for (const int key : {kSortByName, kSortByBirthYear, kSortByBirthDate}) {
    auto compare = [&](Rin a, Rin b, int k) { return ComparePersons(store, a, b, k); };
    auto before = [&](Rin a, Rin b) { return compare(a, b, key) > 0; };

    std::vector<Rin> random(persons);
    std::iota(random.begin(), random.end(), 1);
    std::shuffle(random.begin(), random.end(), std::mt19937(key));
    std::vector<Rin> sorted = random;
    std::sort(sorted.begin(), sorted.end(), before);
    std::vector<Rin> reverse(sorted.rbegin(), sorted.rend());

    const std::pair<const char*, const std::vector<Rin>*> inputs[] = {
        {"random", &random}, {"sorted", &sorted}, {"reverse", &reverse}};
    for (const auto& [name, input] : inputs) {
      double ours = 1e9, theirs = 1e9;
      for (int round = 0; round < rounds; ++round) {
        std::vector<Rin> items = *input;
        auto start = Clock::now();
        SortRecords(items, 0, persons - 1, key, compare);
        ours = std::min(ours, Seconds(start));
        for (int i = 0; i + 1 < persons; ++i) {
          if (compare(items[i], items[i + 1], key) < 0) {
            std::printf("order violated at %d\n", i);
            return 1;
          }
        }
        items = *input;
        start = Clock::now();
        std::sort(items.begin(), items.end(), before);
        theirs = std::min(theirs, Seconds(start));
      }
      std::printf("%-4d %-8s %10.1fms %10.1fms %8.2f\n", key, name, ours * 1e3, theirs * 1e3,
                  ours / theirs);
    }
  }
  return 0;
}
