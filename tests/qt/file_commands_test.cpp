// The DATEI commands that write or drop data: the partial export with its backup, and
// the question before unexported changes are given up.

#include <QTest>
#include <filesystem>

#include "gui_session.h"
#include "shell/command_ids.h"

namespace korvane {

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void ExportsTheSelectionAndKeepsABackup() {
    GuiSession s;
    s.Load(s.Sample());
    const std::string target = s.folder.Path("auszug.ged");
    const std::string backup = s.folder.Path("auszug.bak");
    s.chosenFile = target;
    s.window.app().RunCommand(kCmdSelectAll);
    QCOMPARE(s.Tabs()->currentIndex(), kTabSelection);
    QCOMPARE(s.Status(1), u"90 Personen "_s);
    s.Command(kCmdPartialExport)->trigger();
    QCOMPARE(s.fileRequests, 1);
    QCOMPARE(s.Status(0), u"auszug.ged exportiert"_s);
    // The selection is gone with the export; the list of all persons shows again.
    QCOMPARE(s.Tabs()->currentIndex(), kTabList);
    const std::string firstExport = test::ReadFile(target);
    QVERIFY(firstExport.starts_with("\xEF\xBB\xBF"
                                    "0 HEAD") &&
            firstExport.ends_with("0 TRLR\r\n"));
    QVERIFY(!std::filesystem::exists(backup));

    // The same target again: the first file becomes the backup, the log tells so.
    s.window.app().RunCommand(kCmdSelectAll);
    s.Command(kCmdPartialExport)->trigger();
    QCOMPARE(test::ReadFile(backup), firstExport);
    QVERIFY(test::ReadFile(s.folder.Path("auszug.log")).find("(Backup in: " + backup + ")") !=
            std::string::npos);
    QVERIFY(s.boxes.isEmpty());
    s.Screenshot(u"teil-export"_s);
  }

  void AsksBeforeUnexportedChangesAreDropped() {
    GuiSession s;
    const std::string similar = s.Similar();
    s.Load(s.Sample());
    App& app = s.window.app();
    app.WaitUntilSortReady();  // the presorting reads the tables that grow now
    app.store().AddPerson();
    app.store().changeCounters.merges = 2;
    app.ShowTab(kTabList);
    s.answer = MessageAnswer::No;
    s.chosenFile = similar;
    s.FileMenuEntry(kCmdImport)->trigger();
    QCOMPARE(s.boxes, QStringList{u"ÄNDERUNGEN VERWERFEN: Änderungen wurden noch nicht "
                                  u"exportiert!\r\n( 2 Verschmelzungen 1 Neu 2 Geändert )\r\n\r\n"
                                  u"Alle Änderungen verwerfen?"_s});
    QCOMPARE(s.fileRequests, 0);  // "No" leaves everything as it was
    QCOMPARE(s.Rows(), 91);
    s.Screenshot(u"ungesicherte-aenderungen"_s);

    s.answer = MessageAnswer::Yes;
    s.FileMenuEntry(kCmdImport)->trigger();
    QCOMPARE(s.boxes.size(), 2);
    QCOMPARE(s.Status(0), u"meier.ged geladen"_s);
  }
};

int RunFileCommandsTests(int argc, char** argv) {
  FileCommandsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "file_commands_test.moc"
