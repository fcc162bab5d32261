// The "Liste" tab driven with the mouse and the keyboard: header clicks sort, typed
// letters find a person in the sort column.

#include <QHeaderView>
#include <QTest>

#include "gui_session.h"
#include "shell/app.h"
#include "shell/command_ids.h"
#include "views/person_list_columns.h"

namespace korvane {
namespace {

void ClickHeader(QTableView* list, int column) {
  QHeaderView* header = list->horizontalHeader();
  const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

void ClickRow(QTableView* list, int row) {
  const QRect cell = list->visualRect(list->model()->index(row, kGivenNamesColumn));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

// The surname and given names of the selected row, "Meier, Heinrich".
QString SelectedName(const GuiSession& s) {
  const int row = s.SelectedRow();
  return s.Cell(row, kSurnameColumn) + QStringLiteral(", ") + s.Cell(row, kGivenNamesColumn);
}

}  // namespace

class PersonListTest : public QObject {
  Q_OBJECT

 private slots:
  void SortsByTheClickedColumn() {
    GuiSession s;
    s.Load(s.Copy(SamplePath(), QStringLiteral("familie-brandt.ged")));
    QTableView* list = s.List();
    const int last = s.Rows() - 1;

    // Surnames first from Z to A, then back; umlauts sort as their base letter.
    ClickHeader(list, kSurnameColumn);
    QCOMPARE(s.Cell(0, kSurnameColumn), QStringLiteral("Wöhler"));
    QCOMPARE(s.Cell(last, kSurnameColumn), QStringLiteral("Bäcker"));
    QCOMPARE(s.Cell(s.SelectedRow(), kRinColumn), QStringLiteral("1     "));  // still current
    ClickHeader(list, kSurnameColumn);
    QCOMPARE(s.Cell(0, kSurnameColumn), QStringLiteral("Bäcker"));
    QCOMPARE(s.Cell(1, kSurnameColumn), QStringLiteral("Böhm"));
    QCOMPARE(s.Cell(2, kSurnameColumn), QStringLiteral("Brandt"));
    QCOMPARE(s.Cell(last, kSurnameColumn), QStringLiteral("Wöhler"));
    QCOMPARE(s.Cell(s.SelectedRow(), kRinColumn), QStringLiteral("1     "));
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 1"));
    s.Screenshot(QStringLiteral("sortiert-nach-nachname"));

    // The chosen order survives a trip to another tab.
    s.Tabs()->setCurrentIndex(kTabReport);
    s.Tabs()->setCurrentIndex(kTabList);
    QCOMPARE(s.Cell(0, kSurnameColumn), QStringLiteral("Bäcker"));

    ClickHeader(list, kRinColumn);
    for (int row = 0; row <= last; ++row) {
      QCOMPARE(s.Cell(row, kRinColumn).trimmed().toInt(), row + 1);
    }

    // Years are sorted when clicked: early years first, persons without one before them.
    ClickHeader(list, kBirthYearColumn);
    int previous = 0;
    for (int row = 0; row <= last; ++row) {
      const int year = s.Cell(row, kBirthYearColumn).toInt();
      QVERIFY2(year >= previous, qPrintable(QStringLiteral("row %1").arg(row)));
      previous = year;
    }
    QVERIFY(previous > 1900);
    QVERIFY(s.boxes.empty());
  }

  void FindsTypedNamesInTheSortedList() {
    GuiSession s;
    s.Load(s.Write(QStringLiteral("meier.ged"), SimilarSurnamesGedcom()));
    QTableView* list = s.List();
    QCOMPARE(s.Rows(), 12);

    // A to Z; the current person, Adam Albers, stays on top.
    ClickHeader(list, kSurnameColumn);
    ClickHeader(list, kSurnameColumn);
    QCOMPARE(SelectedName(s), QStringLiteral("Albers, Adam"));
    QTest::keyClick(list, Qt::Key_M);
    QCOMPARE(SelectedName(s), QStringLiteral("Maier, Berta"));
    QTest::keyClick(list, Qt::Key_E);
    QCOMPARE(SelectedName(s), QStringLiteral("Mehl, Otto"));
    QTest::keyClick(list, Qt::Key_I);
    QCOMPARE(SelectedName(s), QStringLiteral("Meier, Anna"));
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 5"));
    // After the comma the given names: the first Meier not before "H".
    QTest::keyClick(list, Qt::Key_Comma);
    QCOMPARE(SelectedName(s), QStringLiteral("Meier, Anna"));
    QTest::keyClick(list, Qt::Key_H);
    QCOMPARE(SelectedName(s), QStringLiteral("Meier, Heinrich"));
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 2"));
    QCOMPARE(s.window.app().state().currentRin, 2);
    s.Screenshot(QStringLiteral("tippen-zum-finden"));

    // Z to A the search runs upwards. A click starts a new key sequence; letter case
    // does not matter; the given-name stage stays within the surname typed.
    ClickHeader(list, kSurnameColumn);
    QCOMPARE(s.Cell(0, kSurnameColumn), QStringLiteral("Müller"));
    ClickRow(list, s.Rows() - 1);
    QCOMPARE(SelectedName(s), QStringLiteral("Albers, Adam"));
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 1"));
    QTest::keyClicks(list, QStringLiteral("meis"));
    QCOMPARE(SelectedName(s), QStringLiteral("Meise, Hans"));
    QTest::keyClicks(list, QStringLiteral(",hu"));
    QCOMPARE(SelectedName(s), QStringLiteral("Meise, Hugo"));
    QCOMPARE(s.Status(2), QStringLiteral("RIN: 10"));
    QCOMPARE(s.window.app().state().previousRin, 4);

    // From the end of the list the search wraps around to the top.
    ClickHeader(list, kSurnameColumn);  // A to Z again
    ClickRow(list, s.Rows() - 1);
    QCOMPARE(SelectedName(s), QStringLiteral("Müller, Paula"));
    QTest::keyClicks(list, QStringLiteral("MEY"));
    QCOMPARE(SelectedName(s), QStringLiteral("Meyer, Karl"));
    QVERIFY(s.boxes.empty());
  }
};

int RunPersonListTests(int argc, char** argv) {
  PersonListTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "person_list_test.moc"
