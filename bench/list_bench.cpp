// The person list on a generated file of 250,000 persons, in the real window (offscreen):
// the time from the end of the load to the list being shown, a header click on
// "Nachname" right after that (the wait for the presorting included) and one on
// "Geboren", and the peak memory of the whole run.
#include <sys/resource.h>

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "bench/bench_support.h"
#include "qt/main_window.h"
#include "shell/app.h"

int main(int argc, char** argv) {
  using namespace korvane;
  using namespace korvane::bench;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  GeneratorOptions options;
  options.persons = argc > 1 ? std::atoi(argv[1]) : 250'000;
  const std::string path = GeneratedFile(options);

  MemorySettings settings;
  MainWindow window(settings);
  window.resize(1200, 800);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  App& app = window.app();

  // The load alone, in a session without a window, then the same load in the window up to
  // the painted list: the difference is what showing the list costs.
  const double load = BestOf(1, [&] {
    BenchSession session;
    if (!LoadGedFile(session.context, path)) std::exit(1);
  });
  const auto start = Clock::now();
  app.LoadFile(path);
  QApplication::processEvents();
  const double shown = SecondsSince(start) - load;

  auto* list = window.findChild<QTableView*>(QStringLiteral("personList"));
  auto click = [&](int column) {
    const auto start = Clock::now();
    QHeaderView* header = list->horizontalHeader();
    emit header->sectionClicked(column);
    QApplication::processEvents();
    return SecondsSince(start);
  };
  const double surname = click(1);
  const double born = click(3);

  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%d persons (%d rows): load %.0f ms\n", options.persons, list->model()->rowCount(),
              load * 1e3);
  std::printf("list shown after load   %7.1f ms\n", shown * 1e3);
  std::printf("click Nachname          %7.1f ms (waiting for the presorting included)\n",
              surname * 1e3);
  std::printf("click Geboren           %7.1f ms\n", born * 1e3);
  std::printf("peak memory             %7.1f MB (file %.1f MB)\n", usage.ru_maxrss / 1024.0,
              std::filesystem::file_size(path) / 1e6);
  return 0;
}
