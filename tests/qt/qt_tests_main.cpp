// One executable for the window tests: each test class runs on the same application.

#include <QApplication>

#include "qt/german_locale.h"

namespace korvane {
int RunMainWindowTests(int argc, char** argv);
int RunPersonListTests(int argc, char** argv);
int RunFileCommandsTests(int argc, char** argv);
int RunEditDialogsTests(int argc, char** argv);
}  // namespace korvane

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  korvane::SpeakGerman(application);
  int failed = korvane::RunMainWindowTests(argc, argv);
  failed += korvane::RunPersonListTests(argc, argv);
  failed += korvane::RunFileCommandsTests(argc, argv);
  return failed + korvane::RunEditDialogsTests(argc, argv);
}
