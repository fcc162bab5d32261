#include "qt/person_edit_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editing/person_dialog.h"
#include "qt/qt_ui.h"
#include "qt/text_positions.h"

namespace korvane {
namespace {

FieldText TextOf(const QLineEdit& field) {
  const QString text = field.text();
  FieldText result{text.toStdString(), 0, 0};
  if (field.hasSelectedText()) {
    const int start = field.selectionStart();
    result.selectionStart = CharactersBefore(text, start);
    result.selectionLength =
        CharactersBefore(text, start + field.selectionLength()) - result.selectionStart;
  } else {
    result.selectionStart = CharactersBefore(text, field.cursorPosition());
  }
  return result;
}

void ShowFieldText(QLineEdit& field, const FieldText& shown) {
  const QString text = QString::fromStdString(shown.text);
  field.setText(text);
  const int start = Utf16Position(text, shown.selectionStart);
  const int end = Utf16Position(text, shown.selectionStart + shown.selectionLength);
  if (end > start) {
    field.setSelection(start, end - start);
  } else {
    field.setCursorPosition(start);
  }
}

// The one character a key typed, when it is one the fields take.
char32_t TypedCharacter(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  const QList<uint> characters = key.text().toUcs4();
  if (characters.size() != 1 || characters[0] < 0x20 || characters[0] == 0x7F) return 0;
  return static_cast<char32_t>(characters[0]);
}

}  // namespace

PersonEditWindow::PersonEditWindow(PersonDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("personEditDialog"));
  setWindowTitle(ToQString(model_.Title()));
  BuildFields();
  FocusField(model_.FocusField());
}

QLineEdit* PersonEditWindow::Field(int id) const {
  const auto it = fields_.find(id);
  return it == fields_.end() ? nullptr : it->second;
}

void PersonEditWindow::BuildFields() {
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Datum"), this), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Ort"), this), 0, 2);
  QWidget* previous = nullptr;
  for (const PersonField& field : PersonFields()) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("field%1").arg(field.id));
    edit->setText(ToQString(model_.Text(field.id)));
    edit->setReadOnly(field.kind == FieldKind::kReadOnly);
    edit->setMinimumWidth(field.column == 1 ? 130 : 340);
    edit->installEventFilter(this);
    fields_[field.id] = edit;
    if (*field.label != 0) {
      grid->addWidget(new QLabel(ToQString(field.label), this), field.row + 1, 0);
    }
    if (field.column == 0) {
      grid->addWidget(edit, field.row + 1, 1, 1, 2);
    } else {
      grid->addWidget(edit, field.row + 1, field.column);
    }
    if (field.kind != FieldKind::kReadOnly) {
      if (previous != nullptr) setTabOrder(previous, edit);
      previous = edit;
      const int id = field.id;
      // Keys the model does not see one by one (paste, Delete, the date fields) still
      // edit the field.
      connect(edit, &QLineEdit::textEdited, this,
              [this, id](const QString& text) { model_.SetText(id, text.toStdString()); });
    }
  }
  divorced_ = new QCheckBox(QStringLiteral("Geschieden"), this);
  divorced_->setObjectName(QStringLiteral("field%1").arg(kDivorcedBox));
  divorced_->setChecked(model_.Divorced());
  divorced_->setEnabled(model_.HasFamily());
  connect(divorced_, &QCheckBox::clicked, this,
          [this](bool ticked) { model_.DivorcedClicked(ticked); });
  grid->addWidget(divorced_, grid->rowCount(), 2);
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save = buttons->addButton(QStringLiteral("SPEICHERN"), QDialogButtonBox::AcceptRole);
  save->setObjectName(QStringLiteral("saveButton"));
  save->setAutoDefault(false);
  QPushButton* cancel =
      buttons->addButton(QStringLiteral("ABBRECHEN"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void PersonEditWindow::ShowText(int id) {
  if (QLineEdit* field = Field(id)) field->setText(ToQString(model_.Text(id)));
}

void PersonEditWindow::FocusField(int id) {
  if (QLineEdit* field = Field(id)) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
  }
}

void PersonEditWindow::LeaveField(int id) {
  model_.FieldLeft(id);
  QLineEdit* field = Field(id);
  if (field != nullptr && field->text().toStdString() != model_.Text(id)) ShowText(id);
}

// The model settles a date still being typed in itself.
void PersonEditWindow::Save() {
  if (model_.Save()) accept();
}

bool PersonEditWindow::eventFilter(QObject* watched, QEvent* event) {
  for (const auto& [id, field] : fields_) {
    if (field != watched) continue;
    if (event->type() == QEvent::FocusOut) {
      LeaveField(id);
    } else if (event->type() == QEvent::KeyPress) {
      return KeyPressed(id, field, static_cast<const QKeyEvent&>(*event));
    }
    break;
  }
  return QDialog::eventFilter(watched, event);
}

// True when the model took the key.
bool PersonEditWindow::KeyPressed(int id, QLineEdit* field, const QKeyEvent& key) {
  if (field->isReadOnly()) return false;
  switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      FocusField(model_.NextField(id, key.key() == Qt::Key_Up));
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      LeaveField(id);
      return true;
    default:
      break;
  }
  // Every key that edits goes through the model, which knows what each field does with
  // it (the sex field takes one letter and moves on, names and places complete).
  if (key.key() == Qt::Key_Backspace) {
    ShowFieldText(*field, model_.BackspaceTyped(id, TextOf(*field)));
    return true;
  }
  const char32_t character = TypedCharacter(key);
  if (character == 0) return false;
  ShowFieldText(*field, model_.CharacterTyped(id, TextOf(*field), character));
  if (id == kSexField) FocusField(model_.FocusField());
  return true;
}

}  // namespace korvane
