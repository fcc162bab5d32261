#include "qt/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace korvane {

QString ToQString(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

QtUi::QtUi(QWidget* window, std::array<QLabel*, 3> statusParts, QProgressBar* progressBar)
    : window_(window), statusParts_(statusParts), progressBar_(progressBar) {}

MessageAnswer QtUi::MessageBox(std::string_view text, std::string_view title,
                               MessageButtons buttons, MessageIcon icon) {
  if (boxHook_) return boxHook_(text, title);
  QMessageBox box(window_);
  box.setWindowTitle(ToQString(title));
  box.setText(ToQString(text).trimmed());
  switch (icon) {
    case MessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageIcon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageIcon::None:
      break;
  }
  switch (buttons) {
    case MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    default:
      return MessageAnswer::Ok;
  }
}

std::optional<std::string> QtUi::ChooseFile(const FileDialogRequest& request) {
  if (fileHook_) return fileHook_(request);
  const QString filter = ToQString(request.filterName) + QStringLiteral(";;Alle Dateien (*)");
  const QString folder = ToQString(request.folder);
  const QString path =
      request.mustExist ? QFileDialog::getOpenFileName(window_, QString(), folder, filter)
                        : QFileDialog::getSaveFileName(window_, QString(), folder, filter, nullptr,
                                                       QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  QString result = path;
  // Only a dot in the file name is an extension; "/home/max.meier/stammbaum" has none.
  if (!request.defaultExtension.empty() &&
      !QFileInfo(result).fileName().contains(QLatin1Char('.'))) {
    result += ToQString(request.defaultExtension);
  }
  return result.toStdString();
}

void QtUi::SetStatusText(int part, std::string_view text) {
  if (part < 0 || part > 2) return;
  statusParts_[part]->setText(ToQString(text).replace(QLatin1Char('\t'), QLatin1Char(' ')));
}

void QtUi::ProgressBarBegin() {
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->show();
}

void QtUi::ProgressBarStep() { progressBar_->setValue(std::min(100, progressBar_->value() + 1)); }

void QtUi::ProgressBarEnd() { progressBar_->hide(); }

void QtUi::PumpPendingMessages() { QCoreApplication::processEvents(); }

}  // namespace korvane
