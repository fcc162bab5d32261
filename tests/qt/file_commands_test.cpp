// The DATEI commands that write or drop data: the partial export with its backup, and
// the question before unexported changes are given up.

#include <QFile>
#include <QTest>

#include "gui_session.h"
#include "shell/app.h"
#include "shell/command_ids.h"

namespace korvane {
namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void ExportsTheSelectionAndKeepsABackup() {
    GuiSession s;
    s.Load(s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged")));
    const QString target = s.folder.filePath(QStringLiteral("auszug.ged"));
    const QString backup = s.folder.filePath(QStringLiteral("auszug.bak"));
    s.chosenFile = target.toStdString();

    // Nothing selected: refused before a file is asked for.
    s.Command(kCmdPartialExport)->trigger();
    QCOMPARE(s.boxes.size(), 1u);
    QCOMPARE(s.boxes[0].title, QStringLiteral("FEHLER"));
    QCOMPARE(s.boxes[0].text, QStringLiteral("Keine Personen wurden ausgewählt"));
    QCOMPARE(s.fileRequests, 0);
    QVERIFY(!QFile::exists(target));
    s.boxes.clear();

    s.window.app().RunCommand(kCmdSelectAll);
    QCOMPARE(s.Tabs()->currentIndex(), kTabSelection);
    QCOMPARE(s.Rows(), 90);
    QCOMPARE(s.Status(0), QStringLiteral("Auswahl"));
    QCOMPARE(s.Status(1), QStringLiteral("90 Personen "));
    s.Command(kCmdPartialExport)->trigger();
    QCOMPARE(s.fileRequests, 1);
    QVERIFY(s.boxes.empty());
    QCOMPARE(s.Status(0), QStringLiteral("auszug.ged exportiert"));
    // The selection is gone with the export; the list of all persons shows again.
    QCOMPARE(s.window.app().state().selectedCount, 0);
    QCOMPARE(s.Tabs()->currentIndex(), kTabList);
    QCOMPARE(s.Rows(), 90);
    const QByteArray firstExport = Contents(target);
    QVERIFY(
        firstExport.startsWith("\xEF\xBB\xBF"
                               "0 HEAD"));
    QVERIFY(!QFile::exists(backup));

    // The same target again: the first file becomes the backup, the log goes beside it.
    s.window.app().RunCommand(kCmdSelectAll);
    s.Command(kCmdPartialExport)->trigger();
    QVERIFY(s.boxes.empty());
    QCOMPARE(Contents(backup), firstExport);
    QVERIFY(Contents(s.folder.filePath(QStringLiteral("auszug.log")))
                .contains("(Backup in: " + backup.toUtf8() + ")"));
    QCOMPARE(s.Status(0), QStringLiteral("auszug.ged exportiert"));
    s.Screenshot(QStringLiteral("teil-export"));

    // The exported file is a complete GEDCOM file again.
    GuiSession reader;
    reader.Load(reader.Copy(target, QStringLiteral("auszug.ged")));
    QVERIFY(reader.boxes.empty());
    QCOMPARE(reader.Rows(), 90);
    QCOMPARE(reader.window.app().store().FamilyCount(), s.window.app().store().FamilyCount());
    QCOMPARE(reader.Status(0), QStringLiteral("auszug.ged geladen"));
  }

  void AsksBeforeUnexportedChangesAreDropped() {
    GuiSession s;
    const QString sample = s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged"));
    const QString similar = s.Write(QStringLiteral("meier.ged"), SimilarSurnamesGedcom());
    s.Load(similar);
    s.Load(sample);
    // Deleting asks on its own and is not one of the changes counted below.
    QTest::keyClick(s.List(), Qt::Key_Delete);
    QCOMPARE(s.boxes.size(), 1u);
    QCOMPARE(s.boxes[0].title, QStringLiteral("PERSON LÖSCHEN"));
    QCOMPARE(s.boxes[0].text, QStringLiteral("Soll Johann Georg Brandt [1] \r\ngelöscht werden?"));
    QCOMPARE(s.Rows(), 89);
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 2"));

    App& app = s.window.app();
    app.WaitUntilSortReady();  // the presorting reads the tables that grow now
    for (int i = 0; i < 3; ++i) app.store().AddPerson();
    app.store().changeCounters.merges = 2;
    app.ShowTab(kTabList);
    QCOMPARE(s.Rows(), 92);
    QCOMPARE(s.Status(1), QStringLiteral("92 Personen   2 Verschmelzungen"));

    const QString question = QStringLiteral(
        "Änderungen wurden noch nicht exportiert!\r\n( 2 Verschmelzungen 3 Neu )\r\n\r\n"
        "Alle Änderungen verwerfen?");
    s.answer = MessageAnswer::No;
    s.chosenFile = similar.toStdString();
    for (const int id : {int(kCmdImport), int(kCmdNew), kCmdRecentFile1 + 1, int(kCmdQuit)}) {
      s.boxes.clear();
      s.FileMenuEntry(id)->trigger();
      QCOMPARE(s.boxes.size(), 1u);
      QCOMPARE(s.boxes[0].title, QStringLiteral("ÄNDERUNGEN VERWERFEN"));
      QCOMPARE(s.boxes[0].text, question);
    }
    // "No" leaves everything as it was.
    QCOMPARE(s.fileRequests, 0);
    QVERIFY(s.window.isVisible());
    QCOMPARE(s.Rows(), 92);
    QCOMPARE(app.store().changeCounters.merges, 2);
    QCOMPARE(s.Status(0), QStringLiteral("familie-brandt.ged geladen"));
    s.Screenshot(QStringLiteral("ungesicherte-aenderungen"));

    // "Yes" lets the import go on.
    s.answer = MessageAnswer::Yes;
    s.boxes.clear();
    s.FileMenuEntry(kCmdImport)->trigger();
    QCOMPARE(s.boxes.size(), 1u);
    QCOMPARE(s.fileRequests, 1);
    QCOMPARE(s.Rows(), 12);
    QCOMPARE(s.Status(0), QStringLiteral("meier.ged geladen"));
    // Nothing changed since that load: no question.
    s.boxes.clear();
    s.chosenFile = sample.toStdString();
    s.FileMenuEntry(kCmdImport)->trigger();
    QVERIFY(s.boxes.empty());
    QCOMPARE(s.Rows(), 90);
  }
};

int RunFileCommandsTests(int argc, char** argv) {
  FileCommandsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "file_commands_test.moc"
