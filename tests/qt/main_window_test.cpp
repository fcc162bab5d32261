// The main window as a person meets it: starting with a file, the greyed commands, the
// tabs, dropping a file and the recent files that outlive a run.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QUrl>

#include "gui_session.h"
#include "shell/app.h"
#include "shell/command_ids.h"

namespace korvane {
namespace {

// Drags `path` onto the window and drops it there, as the file manager does.
bool DropFile(QWidget& window, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPoint centre = window.rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
  return true;
}

QColor RowBackground(const GuiSession& s, int row) {
  const QAbstractItemModel* model = s.List()->model();
  return model->data(model->index(row, 0), Qt::BackgroundRole).value<QBrush>().color();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheFileGivenAtStart() {
    GuiSession s;
    QCOMPARE(s.Status(0), QStringLiteral("Verwende Menu:  DATEI / Importiere GED"));
    const QString path = s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged"));
    s.Load(path);  // what the program does with its command line once the window is up

    QCOMPARE(s.Rows(), 90);
    QCOMPARE(s.Status(0), QStringLiteral("familie-brandt.ged geladen"));
    QCOMPARE(s.Status(1), QStringLiteral("90 Personen "));
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 1"));
    QCOMPARE(s.Tabs()->currentIndex(), 0);
    QCOMPARE(s.SelectedRow(), 0);
    QCOMPARE(s.Cell(0, 0), QStringLiteral("1     "));
    QCOMPARE(s.Cell(0, 1), QStringLiteral("Brandt"));
    QCOMPARE(s.Cell(0, 2), QStringLiteral("Johann Georg"));
    QCOMPARE(s.Cell(0, 3), QStringLiteral("1791"));
    QCOMPARE(s.Cell(1, 1), QStringLiteral("Köhler"));
    QCOMPARE(RowBackground(s, 0), QColor(240, 250, 250));  // men
    QCOMPARE(RowBackground(s, 1), QColor(250, 240, 250));  // everyone else
    QVERIFY(!s.window.findChild<QProgressBar*>(QStringLiteral("progressBar"))->isVisible());
    QCOMPARE(QString::fromStdString(s.window.app().recentFiles().At(0)), path);
    QVERIFY(QFile::exists(s.folder.filePath(QStringLiteral("korvane.log"))));
    QVERIFY(s.boxes.empty());
    s.Screenshot(QStringLiteral("start-mit-datei"));
  }

  void GreysTheDataCommandsUntilThereIsData() {
    GuiSession s;
    QVERIFY(!s.Command(kCmdPartialExport)->isEnabled());
    QVERIFY(!s.Command(kCmdDeletePerson)->isEnabled());
    QVERIFY(!s.Command(kCmdExportAll)->isEnabled());
    QVERIFY(s.Command(kCmdImport)->isEnabled());
    QVERIFY(s.Command(kCmdNewPerson)->isEnabled());
    QVERIFY(s.Command(kCmdSoundex)->isEnabled());
    const QAction* placeholder = s.FileMenuEntry(kCmdRecentFile4);
    QVERIFY(placeholder != nullptr);
    QCOMPARE(placeholder->text(), QStringLiteral("(zuletzt verwendet)"));
    QVERIFY(!placeholder->isEnabled());
    s.Screenshot(QStringLiteral("datei-menu-ohne-daten"), s.FileMenu());
    // Run from elsewhere (a key, a context menu) a greyed command does nothing either.
    s.window.app().RunCommand(kCmdPartialExport);
    QVERIFY(s.boxes.empty());

    s.Load(s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged")));
    QVERIFY(s.Command(kCmdPartialExport)->isEnabled());
    QVERIFY(s.Command(kCmdDeletePerson)->isEnabled());
    QVERIFY(!s.Command(kCmdExportAll)->isEnabled());
    QVERIFY(s.FileMenuEntry(kCmdRecentFile1)->isEnabled());
  }

  void SwitchesTabsOnlyWhenThereIsSomethingToShow() {
    GuiSession s;
    QTabBar* tabs = s.Tabs();
    tabs->setCurrentIndex(2);
    QCOMPARE(s.boxes.size(), 1u);
    QCOMPARE(s.boxes[0].title, QStringLiteral("KEINE DATEN"));
    QCOMPARE(s.boxes[0].text, QStringLiteral("Bitte erst DATEI / Importieren\noder\nBEARBEITEN / "
                                             "Hinzufügen/ Neue Person"));
    QCOMPARE(tabs->currentIndex(), 0);

    s.Load(s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged")));
    s.boxes.clear();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(s.boxes.size(), 1u);
    QCOMPARE(s.boxes[0].title, QStringLiteral("KEINE DATEN FÜR AUSWAHL"));
    QCOMPARE(s.boxes[0].text, QStringLiteral("Bitte erst SUCHEN / Personen oder Ereignisse"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(s.List()->isVisible());

    s.boxes.clear();
    QWidget* emptyView = s.window.findChild<QWidget*>(QStringLiteral("emptyView"));
    for (int tab = kTabAncestors; tab <= kTabPerson; ++tab) {
      QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
      QCOMPARE(tabs->currentIndex(), tab);
      QCOMPARE(s.window.app().state().activeTab, tab);
      QVERIFY(emptyView->isVisible());
    }
    tabs->setCurrentIndex(kTabReport);
    const auto* report = s.window.findChild<QPlainTextEdit*>(QStringLiteral("reportView"));
    QVERIFY(report->isVisible());
    QVERIFY(report->toPlainText().startsWith(
        QStringLiteral("90 Personen 32 Familien importiert\n\nfamilie-brandt.ged geladen in ")));
    QVERIFY(s.boxes.empty());
    s.Screenshot(QStringLiteral("bericht"));

    // Once a person is selected, the last one included, the selection tab opens.
    tabs->setCurrentIndex(kTabList);
    QTest::keyClicks(s.List(), QStringLiteral("90"));  // type-to-find by RIN
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 90"));
    s.window.app().RunCommand(kCmdSelectPerson);
    QCOMPARE(tabs->currentIndex(), kTabSelection);
    QCOMPARE(s.Rows(), 1);
    QCOMPARE(s.Cell(0, 0), QStringLiteral("90    "));
    QCOMPARE(s.Status(0), QStringLiteral("Auswahl"));
    QCOMPARE(s.Status(1), QStringLiteral("1 Personen "));
    tabs->setCurrentIndex(kTabList);
    QCOMPARE(s.Rows(), 90);
    tabs->setCurrentIndex(kTabSelection);
    QCOMPARE(tabs->currentIndex(), kTabSelection);
    QVERIFY(s.boxes.empty());
  }

  void LoadsADroppedFileWithoutAsking() {
    GuiSession s;
    const QString sample = s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged"));
    const QString similar = s.Write(QStringLiteral("meier.ged"), SimilarSurnamesGedcom());
    const QString notes = s.Write(QStringLiteral("notizen.txt"), "keine GEDCOM-Datei\n");
    QVERIFY(DropFile(s.window, sample));
    QCOMPARE(s.Rows(), 90);
    QCOMPARE(s.Status(0), QStringLiteral("familie-brandt.ged geladen"));

    // Unexported changes do not hold a drop up: this path never asks.
    s.window.app().store().changeCounters.merges = 1;
    QVERIFY(DropFile(s.window, similar));
    QVERIFY(s.boxes.empty());
    QCOMPARE(s.Rows(), 12);
    QCOMPARE(s.Status(0), QStringLiteral("meier.ged geladen"));
    s.Screenshot(QStringLiteral("abgelegte-datei"));

    // The loader refuses a name without ".ged" before it drops what is loaded.
    QVERIFY(DropFile(s.window, notes));
    QCOMPARE(s.boxes.size(), 1u);
    QCOMPARE(s.boxes[0].title, QStringLiteral("FEHLER"));
    QCOMPARE(s.boxes[0].text, QStringLiteral("\r\nDateierweiterung .ged fehlt in ") + notes);
    QCOMPARE(s.Rows(), 12);
  }

  void KeepsTheRecentFilesForTheNextRun() {
    MemorySettings settings;
    GuiSession first(&settings);
    const QString older = first.Copy(SamplePath(), QStringLiteral("familie-brandt.ged"));
    const QString newer = first.Write(QStringLiteral("meier.ged"), SimilarSurnamesGedcom());
    first.Load(older);
    first.Load(newer);
    const QAction* slot1 = first.FileMenuEntry(kCmdRecentFile1);
    const QAction* slot2 = first.FileMenuEntry(kCmdRecentFile1 + 1);
    QVERIFY(slot1 != nullptr && slot2 != nullptr);
    QCOMPARE(slot1->text(), newer);
    QCOMPARE(slot2->text(), older);
    QVERIFY(slot1->isEnabled() && slot2->isEnabled());
    QVERIFY(first.FileMenuEntry(kCmdRecentFile1 + 2) == nullptr);
    QVERIFY(first.FileMenuEntry(kCmdRecentFile4) == nullptr);  // the placeholder is gone
    const QList<QAction*> entries = first.FileMenu()->actions();
    QVERIFY(entries.indexOf(first.FileMenuEntry(kCmdTextInput)) < entries.indexOf(slot1));
    QVERIFY(entries.indexOf(slot1) < entries.indexOf(slot2));
    QVERIFY(entries.indexOf(slot2) < entries.indexOf(first.FileMenuEntry(kCmdQuit)));
    first.Screenshot(QStringLiteral("zuletzt-verwendet"), first.FileMenu());

    QVERIFY(first.window.close());
    QCOMPARE(QString::fromStdString(settings.Read("RecentFiles", "File1").value_or("")), newer);
    QCOMPARE(QString::fromStdString(settings.Read("RecentFiles", "File2").value_or("")), older);
    QVERIFY(settings.Read("RecentFiles", "File3").value_or("").empty());

    GuiSession second(&settings);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1)->text(), newer);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1 + 1)->text(), older);
    // Choosing the older file loads it and moves it to the front.
    second.FileMenuEntry(kCmdRecentFile1 + 1)->trigger();
    QCOMPARE(second.Rows(), 90);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1)->text(), older);
    QCOMPARE(second.FileMenuEntry(kCmdRecentFile1 + 1)->text(), newer);
    QVERIFY(first.boxes.empty() && second.boxes.empty());
  }
};

int RunMainWindowTests(int argc, char** argv) {
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "main_window_test.moc"
