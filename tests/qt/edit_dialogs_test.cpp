// The person edit dialog and the Soundex dialog as a person uses them: opened from the
// menu, typed into, saved; and the first person of an empty program.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editing/person_dialog.h"
#include "gui_session.h"
#include "qt/person_edit_window.h"
#include "shell/command_ids.h"

namespace korvane {
namespace {

// Runs `work` on the modal dialog the next command opens, once it is open.
template <typename Dialog>
void OnNextDialog(std::function<void(Dialog&)> work) {
  QTimer::singleShot(0, [work] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    work(*dialog);
    // A failed check returns early: the dialog must not wait for a person then.
    if (dialog->isVisible()) dialog->reject();
  });
}

// Types the text key by key into the field, replacing what it holds. QTest knows keys for
// ASCII letters only; an umlaut arrives as a key event with its text, as from a keyboard.
void Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(field, c.toLatin1());
    } else {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(field, &press);
    }
  }
}

void SaveShot(QWidget& widget, const QString& name) {
  widget.grab().save(QStringLiteral(KORVANE_SCREENSHOTS "/") + name + u".png"_s);
}

}  // namespace

class EditDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void EditsAPersonFromTheMenu() {
    GuiSession s;
    s.Load(s.Sample());
    s.List()->selectRow(0);
    const QString surname = s.Cell(0, 1);
    bool checked = false;
    OnNextDialog<PersonEditWindow>([&](PersonEditWindow& dialog) {
      Type(dialog.Field(kBirthDateField), u"3 MAR 1850"_s);
      QTest::keyClick(dialog.Field(kBirthDateField), Qt::Key_Return);
      Type(dialog.Field(kChrDateField), u"12"_s);
      QTest::keyClick(dialog.Field(kChrDateField), Qt::Key_Return);
      QCOMPARE(dialog.Field(kChrDateField)->text(), u"12 MAR 1850"_s);
      // "Lün" completes to the place seen in the file, the completed part selected.
      Type(dialog.Field(kBirthPlaceField), u"Lün"_s);
      QCOMPARE(dialog.Field(kBirthPlaceField)->text(), u"Lüneburg, Niedersachsen, Deutschland"_s);
      QCOMPARE(dialog.Field(kBirthPlaceField)->selectedText(),
               u"eburg, Niedersachsen, Deutschland"_s);
      QTest::keyClick(dialog.Field(kBirthPlaceField), Qt::Key_Return);
      SaveShot(dialog, u"person-bearbeiten"_s);
      dialog.findChild<QPushButton*>(u"saveButton"_s)->click();
      checked = true;
    });
    s.Command(kCmdEditPerson)->trigger();
    QVERIFY(checked);
    QVERIFY(s.boxes.isEmpty());
    // The list shows the person's new birth year.
    const int row = s.List()->currentIndex().row();
    QCOMPARE(s.Cell(row, 1), surname);
    bool shown = false;
    for (int column = 0; column < s.List()->model()->columnCount(); ++column) {
      shown = shown || s.Cell(row, column) == u"1850"_s;
    }
    QVERIFY(shown);
  }

  void MakesTheFirstPersonOfAnEmptyProgram() {
    GuiSession s;
    s.window.app().RunCommand(kCmdNew);
    OnNextDialog<PersonEditWindow>([](PersonEditWindow& dialog) {
      QCOMPARE(dialog.windowTitle(), u"NEUE PERSON HINZUFÜGEN: [1]  "_s);
      QTest::keyClick(dialog.Field(kSexField), Qt::Key_M);
      QCOMPARE(dialog.Field(kSexField)->text(), u"M "_s);
      Type(dialog.Field(kGivenNamesField), u"Karl"_s);
      Type(dialog.Field(kSurnameField), u"Brandt"_s);
      dialog.findChild<QPushButton*>(u"saveButton"_s)->click();
    });
    s.Command(kCmdNewPerson)->trigger();
    QCOMPARE(s.window.app().store().PersonCount(), 1);
    QCOMPARE(s.Tabs()->currentIndex(), 5);
    QVERIFY(s.Command(kCmdEditPerson)->isEnabled());
    QVERIFY(s.boxes.isEmpty());
  }

  void ShowsTheSoundexCode() {
    GuiSession s;
    QVERIFY(s.Command(kCmdSoundex)->isEnabled());  // needs no data
    bool checked = false;
    OnNextDialog<QDialog>([&](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), u"SOUNDEX BERECHNEN"_s);
      QTest::keyClicks(dialog.findChild<QLineEdit*>(u"soundexName"_s), u"Pfister"_s);
      QCOMPARE(dialog.findChild<QLineEdit*>(u"soundexCode"_s)->text(), u"P123"_s);
      SaveShot(dialog, u"soundex"_s);
      dialog.findChild<QPushButton*>(u"closeButton"_s)->click();
      checked = true;
    });
    s.Command(kCmdSoundex)->trigger();
    QVERIFY(checked);
  }
};

int RunEditDialogsTests(int argc, char** argv) {
  EditDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvane

#include "edit_dialogs_test.moc"
