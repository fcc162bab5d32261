// The "Liste" tab driven with the mouse and the keyboard: header clicks sort, typed
// letters find a person in the sort column.

#include <QHeaderView>
#include <QTest>

#include "gui_session.h"
#include "views/person_list_columns.h"

namespace korvane {
namespace {

void ClickHeader(QTableView* list, int column) {
  QHeaderView* header = list->horizontalHeader();
  const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

}  // namespace

class PersonListTest : public QObject {
  Q_OBJECT

 private slots:
  void SortsByTheClickedColumn() {
    GuiSession s;
    s.Load(s.Sample());
    const int last = s.Rows() - 1;
    // Surnames first from Z to A, then back; umlauts sort as their base letter.
    ClickHeader(s.List(), kSurnameColumn);
    QCOMPARE(s.Cell(0, kSurnameColumn), u"Wöhler"_s);
    QCOMPARE(s.Cell(last, kSurnameColumn), u"Bäcker"_s);
    ClickHeader(s.List(), kSurnameColumn);
    QCOMPARE(s.Cell(0, kSurnameColumn), u"Bäcker"_s);
    QCOMPARE(s.Cell(1, kSurnameColumn), u"Böhm"_s);
    QCOMPARE(s.Cell(2, kSurnameColumn), u"Brandt"_s);
    QCOMPARE(s.Cell(last, kSurnameColumn), u"Wöhler"_s);
    QCOMPARE(s.Status(2), u"RIN: 1"_s);  // the current person stays current
    s.Screenshot(u"sortiert-nach-nachname"_s);

    ClickHeader(s.List(), kRinColumn);
    for (int row = 0; row <= last; ++row) QCOMPARE(s.Cell(row, kRinColumn).toInt(), row + 1);
  }

  void FindsATypedNameInTheSortedList() {
    GuiSession s;
    s.Load(s.Similar());
    ClickHeader(s.List(), kSurnameColumn);  // Z to A
    ClickHeader(s.List(), kSurnameColumn);  // A to Z
    const auto selected = [&s] {
      const int row = s.List()->currentIndex().row();
      return s.Cell(row, kSurnameColumn) + u", "_s + s.Cell(row, kGivenNamesColumn);
    };
    // Each letter narrows the surname; after the comma the first Meier not before "H".
    const QStringList expected = {u"Maier, Berta"_s, u"Mehl, Otto"_s, u"Meier, Anna"_s,
                                  u"Meier, Anna"_s, u"Meier, Heinrich"_s};
    for (int key = 0; key < 5; ++key) {
      QTest::keyClick(s.List(), "MEI,H"[key]);
      QCOMPARE(selected(), expected[key]);
    }
    QCOMPARE(s.Status(2), u"RIN: 2"_s);
    QCOMPARE(s.window.app().state().currentRin, 2);
    QVERIFY(s.boxes.isEmpty());
    s.Screenshot(u"tippen-zum-finden"_s);
  }
};

int RunPersonListTests(int argc, char** argv) {
  PersonListTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "person_list_test.moc"
