#include "qt/number_entry_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace korvane {

NumberEntryWindow::NumberEntryWindow(const QString& title, const QString& label,
                                     const QString& hint, Search search, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("numberEntryDialog"));
  setWindowTitle(title);
  auto* layout = new QGridLayout(this);
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("numberField"));
  field_->setMaxLength(49);
  field_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field_));
  layout->addWidget(new QLabel(label, this), 0, 0);
  layout->addWidget(field_, 0, 1);
  if (!hint.isEmpty()) layout->addWidget(new QLabel(hint, this), 1, 1);

  auto* buttons = new QDialogButtonBox(this);
  if (search) {
    QPushButton* find = buttons->addButton(QStringLiteral("Suchen"), QDialogButtonBox::ActionRole);
    find->setObjectName(QStringLiteral("searchButton"));
    connect(find, &QPushButton::clicked, this, [this, search] {
      // A person picked in the search is taken at once.
      if (const std::optional<std::string> chosen = search()) {
        field_->setText(QString::fromStdString(*chosen));
        accept();
      }
    });
  }
  QPushButton* next = buttons->addButton(QStringLiteral("WEITER"), QDialogButtonBox::AcceptRole);
  next->setObjectName(QStringLiteral("nextButton"));
  next->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(QStringLiteral("ABBRECHEN"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons, 2, 0, 1, 2);
}

std::string NumberEntryWindow::Text() const { return field_->text().toStdString(); }

}  // namespace korvane
