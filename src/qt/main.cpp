#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "qt/german_locale.h"
#include "qt/main_window.h"
#include "qt/qt_settings.h"
#include "shell/app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Korvane"));
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  korvane::SpeakGerman(application);
  korvane::QtSettings settings;
  korvane::MainWindow window(settings);
  window.resize(1100, 700);
  window.show();
  // The whole command line is the path of a file to load once the window is up.
  const QString path = QApplication::arguments().mid(1).join(QLatin1Char(' '));
  if (!path.isEmpty()) {
    QTimer::singleShot(0, &window, [&window, path] { window.app().LoadFile(path.toStdString()); });
  }
  return QApplication::exec();
}
