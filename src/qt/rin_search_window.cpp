#include "qt/rin_search_window.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "editing/rin_search.h"
#include "qt/qt_ui.h"

namespace korvane {

// The rows of the dialog model for a view that asks only for the cells it shows.
class RinSearchModel : public QAbstractTableModel {
 public:
  explicit RinSearchModel(const RinSearchDialog& dialog) : dialog_(dialog) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : dialog_.RowCount();
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(RinSearchColumns().size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return ToQString(dialog_.CellText(index.row(), index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section < 0 || section >= static_cast<int>(RinSearchColumns().size())) return {};
    return ToQString(RinSearchColumns()[section].title);
  }

 private:
  const RinSearchDialog& dialog_;
};

RinSearchWindow::RinSearchWindow(RinSearchDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog), model_(std::make_unique<RinSearchModel>(dialog)) {
  setObjectName(QStringLiteral("rinSearchDialog"));
  setWindowTitle(ToQString(RinSearchDialog::kTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ToQString(RinSearchDialog::kFieldLabel), this));
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("rinSearchField"));
  layout->addWidget(field_);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("rinSearchList"));
  list_->setModel(model_.get());
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  for (int column = 0; column < model_->columnCount({}); ++column) {
    list_->setColumnWidth(column, RinSearchColumns()[column].width);
  }
  list_->setMinimumSize(440, 300);
  list_->viewport()->installEventFilter(this);
  layout->addWidget(list_, 1);
  details_ = new QPlainTextEdit(this);
  details_->setObjectName(QStringLiteral("rinSearchDetails"));
  details_->setReadOnly(true);
  details_->setMaximumHeight(110);
  layout->addWidget(details_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ABBRECHEN"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (dialog_.TextChanged(text.toStdString())) ShowTaken();
  });
  field_->setFocus();
}

RinSearchWindow::~RinSearchWindow() = default;

void RinSearchWindow::ShowTaken() {
  if (const std::optional<int> row = dialog_.SelectedRow()) {
    const QModelIndex index = model_->index(*row, 0);
    list_->selectRow(*row);
    list_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  }
  details_->setPlainText(ToQString(dialog_.Details()));
}

// Either button takes the row clicked; the typing goes on in the field.
bool RinSearchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = list_->indexAt(mouse->position().toPoint());
    if (index.isValid()) {
      dialog_.RowClicked(index.row());
      ShowTaken();
      field_->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

std::optional<std::string> RinSearchWindow::Run() {
  if (exec() != QDialog::Accepted || dialog_.ChosenText().empty()) return std::nullopt;
  return dialog_.ChosenText();
}

}  // namespace korvane
