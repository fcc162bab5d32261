#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "platform/settings.h"
#include "qt/main_window.h"
#include "qt/qt_ui.h"
#include "shell/app.h"

namespace korvane {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  static void Screenshot(QWidget& window, const QString& name) {
    QDir().mkpath(QStringLiteral(KORVANE_SCREENSHOTS));
    window.grab().save(QStringLiteral(KORVANE_SCREENSHOTS "/") + name + QStringLiteral(".png"));
  }

 private slots:
  void ShowsTheLoadedSampleInTheList() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("familie-brandt.ged"));
    QVERIFY(QFile::copy(QStringLiteral(KORVANE_SAMPLES "/familie-brandt.ged"), path));
    MemorySettings settings;
    MainWindow window(settings);
    window.resize(1100, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.app().LoadFile(path.toStdString());
    auto* list = window.findChild<QTableView*>(QStringLiteral("personList"));
    QVERIFY(list != nullptr);
    QAbstractItemModelTester tester(list->model());
    QCOMPARE(list->model()->rowCount(), 90);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("statusPart0"))->text(),
             QStringLiteral("familie-brandt.ged geladen"));
    Screenshot(window, QStringLiteral("liste"));
  }
};

}  // namespace korvane

QTEST_MAIN(korvane::MainWindowTest)
#include "main_window_test.moc"
