// The main window as a person meets it: starting with a file, the greyed commands, the
// tabs, dropping a file and the recent files that outlive a run.

#include <QDropEvent>
#include <QFont>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "gui_session.h"
#include "shell/command_ids.h"

namespace korvane {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheFileGivenAtStart() {
    GuiSession s;
    QCOMPARE(s.Status(0), u"Verwende Menu:  DATEI / Importiere GED"_s);
    s.Load(s.Sample());  // what the program does with its command line once the window is up
    QCOMPARE(s.Rows(), 90);
    QCOMPARE(s.Status(0), u"familie-brandt.ged geladen"_s);
    QCOMPARE(s.Status(1), u"90 Personen "_s);
    QCOMPARE(s.Status(2), u"RIN: 1"_s);
    QCOMPARE(s.Cell(0, 1), u"Brandt"_s);
    QCOMPARE(s.Tabs()->currentIndex(), kTabList);
    QVERIFY(s.boxes.isEmpty());
    s.Screenshot(u"start-mit-datei"_s);
  }

  void GreysTheDataCommandsUntilThereIsData() {
    GuiSession s;
    QVERIFY(!s.Command(kCmdPartialExport)->isEnabled());
    QVERIFY(!s.Command(kCmdDeletePerson)->isEnabled());
    QVERIFY(s.Command(kCmdImport)->isEnabled());
    QVERIFY(!s.FileMenuEntry(kCmdRecentFile4)->isEnabled());  // "(zuletzt verwendet)"
    s.Screenshot(u"datei-menu-ohne-daten"_s, true);
    s.window.app().RunCommand(kCmdPartialExport);  // greyed, so run from a key it does nothing
    QVERIFY(s.boxes.isEmpty());

    s.Load(s.Sample());
    QVERIFY(s.Command(kCmdPartialExport)->isEnabled());
    QVERIFY(s.Command(kCmdDeletePerson)->isEnabled());
    QVERIFY(!s.Command(kCmdExportAll)->isEnabled());
    QVERIFY(s.FileMenuEntry(kCmdRecentFile1)->isEnabled());
  }

  void RefusesTabsWithNothingToShow() {
    GuiSession s;
    QTabBar* tabs = s.Tabs();
    tabs->setCurrentIndex(kTabAncestors);
    QCOMPARE(s.boxes, QStringList{u"KEINE DATEN: Bitte erst DATEI / Importieren\noder\n"
                                  u"BEARBEITEN / Hinzufügen/ Neue Person"_s});
    QCOMPARE(tabs->currentIndex(), kTabList);

    s.Load(s.Sample());
    s.boxes.clear();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(kTabSelection).center());
    QCOMPARE(s.boxes, QStringList{u"KEINE DATEN FÜR AUSWAHL: Bitte erst SUCHEN / Personen "
                                  u"oder Ereignisse"_s});
    QCOMPARE(tabs->currentIndex(), kTabList);

    s.boxes.clear();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(kTabReport).center());
    const auto* report = s.window.findChild<QPlainTextEdit*>(u"reportView"_s);
    QVERIFY(report->isVisible());
    QVERIFY(report->toPlainText().startsWith(
        u"90 Personen 32 Familien importiert\n\nfamilie-brandt.ged geladen in "_s));
    QVERIFY(s.boxes.isEmpty());
    s.Screenshot(u"bericht"_s);
  }

  void LoadsADroppedFile() {
    GuiSession s;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(s.Sample()))});
    const QPoint centre = s.window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&s.window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&s.window, &drop);
    QCOMPARE(s.Rows(), 90);
    QCOMPARE(s.Status(0), u"familie-brandt.ged geladen"_s);
    QVERIFY(s.boxes.isEmpty());
    s.Screenshot(u"abgelegte-datei"_s);
  }

  // The sample's link repair leaves changes to export: closing the frame asks first.
  void TheCloseButtonAsksBeforeChangesAreLost() {
    GuiSession s;
    s.Load(s.Sample());
    QCOMPARE(s.window.windowTitle(), u"familie-brandt.ged – Korvane"_s);
    s.answer = MessageAnswer::No;
    QVERIFY(!s.window.close());
    QVERIFY(s.window.isVisible());
    QCOMPARE(s.boxes.size(), 1);
    QVERIFY(
        s.boxes[0].startsWith(u"ÄNDERUNGEN VERWERFEN: Änderungen wurden noch nicht "
                              u"exportiert!"_s));
    s.answer = MessageAnswer::Yes;
    QVERIFY(s.window.close());
    QVERIFY(!s.window.isVisible());
    QCOMPARE(s.boxes.size(), 2);
  }

  // Shift highlights a run of rows; "Auswählen / Person" marks all of them, and the list
  // shows the marked persons in bold.
  void SelectsSeveralHighlightedRows() {
    GuiSession s;
    s.Load(s.Sample());
    QTableView* list = s.List();
    const auto rowCentre = [list](int row) {
      return list->visualRect(list->model()->index(row, 1)).center();
    };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(5));
    QCOMPARE(list->selectionModel()->selectedRows().size(), 4);
    s.Command(kCmdSelectPerson)->trigger();
    QCOMPARE(s.window.app().state().selectedCount, 4);
    QCOMPARE(s.Tabs()->currentIndex(), kTabSelection);
    QCOMPARE(s.Rows(), 4);
    QVERIFY(list->model()->index(0, 1).data(Qt::FontRole).value<QFont>().bold());
    s.Tabs()->setCurrentIndex(kTabList);
    QVERIFY(list->model()->index(2, 1).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!list->model()->index(1, 1).data(Qt::FontRole).value<QFont>().bold());
    s.Screenshot(u"mehrfachauswahl"_s);
  }

  // Only keys that work show their text; Qt's own buttons speak German.
  void ShowsWorkingKeysOnlyAndSpeaksGerman() {
    GuiSession s;
    QCOMPARE(s.Command(kCmdImport)->text(), u"&Importiere GED\tCTRL+I"_s);
    QVERIFY(!s.Command(kCmdCheck)->text().contains(u'\t'));
    QVERIFY(!s.Command(kCmdCheck)->isEnabled());  // not built yet: greyed, not inert
    QVERIFY(!s.Command(kCmdExportAll)->text().contains(u'\t'));
    QCOMPARE(s.window.windowTitle(), u"Korvane"_s);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::No)->text(), u"&Nein"_s);
  }

  void KeepsTheRecentFilesForTheNextRun() {
    MemorySettings settings;
    GuiSession first(&settings);
    const QString older = QString::fromStdString(first.Sample());
    const QString newer = QString::fromStdString(first.Similar());
    first.Load(older.toStdString());
    first.Load(newer.toStdString());
    QCOMPARE(first.FileMenuEntry(kCmdRecentFile1)->text(), newer);
    QCOMPARE(first.FileMenuEntry(kCmdRecentFile1 + 1)->text(), older);
    QVERIFY(first.FileMenuEntry(kCmdRecentFile1 + 2) == nullptr);
    QVERIFY(first.FileMenuEntry(kCmdRecentFile4) == nullptr);  // the placeholder is gone
    first.Screenshot(u"zuletzt-verwendet"_s, true);
    QVERIFY(first.window.close());
    QCOMPARE(settings.Read("RecentFiles", "File1").value_or(""), newer.toStdString());

    GuiSession second(&settings);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1)->text(), newer);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1 + 1)->text(), older);
    second.FileMenuEntry(kCmdRecentFile1 + 1)->trigger();  // loads it and moves it to the front
    QCOMPARE(second.Rows(), 90);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1)->text(), older);
  }
};

int RunMainWindowTests(int argc, char** argv) {
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "main_window_test.moc"
