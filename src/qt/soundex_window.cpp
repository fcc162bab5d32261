#include "qt/soundex_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dates/phonetic_code.h"

namespace korvane {

SoundexWindow::SoundexWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("soundexDialog"));
  setWindowTitle(QStringLiteral("SOUNDEX BERECHNEN"));
  auto* layout = new QGridLayout(this);
  auto* name = new QLineEdit(this);
  name->setObjectName(QStringLiteral("soundexName"));
  name->setMaxLength(49);
  name->setMinimumWidth(220);
  auto* code = new QLineEdit(this);
  code->setObjectName(QStringLiteral("soundexCode"));
  code->setReadOnly(true);
  code->setFocusPolicy(Qt::NoFocus);
  auto* close = new QPushButton(QStringLiteral("BEENDEN"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  layout->addWidget(new QLabel(QStringLiteral("Name"), this), 0, 0);
  layout->addWidget(name, 0, 1);
  layout->addWidget(new QLabel(QStringLiteral("Soundex"), this), 1, 0);
  layout->addWidget(code, 1, 1);
  layout->addWidget(close, 2, 1, Qt::AlignRight);
  connect(name, &QLineEdit::textChanged, this, [code](const QString& text) {
    code->setText(QString::fromStdString(SoundexCode(text.toStdString().c_str())));
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace korvane
