#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QWidget>
#include <array>

#include "platform/ui.h"

namespace korvane {

// The Ui of the desktop program: message boxes, file dialogs, the three status bar parts
// and the progress bar of the main window.
class QtUi : public Ui {
 public:
  QtUi(QWidget* window, std::array<QLabel*, 3> statusParts, QProgressBar* progressBar);

  MessageAnswer MessageBox(std::string_view text, std::string_view title, MessageButtons buttons,
                           MessageIcon icon) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void SetStatusText(int part, std::string_view text) override;
  void ProgressBarBegin() override;
  void ProgressBarStep() override;
  void ProgressBarEnd() override;
  void PumpPendingMessages() override;

  // Message boxes and file dialogs can be answered by tests instead of a person.
  using BoxHook = std::function<MessageAnswer(std::string_view text, std::string_view title)>;
  using FileHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
  void SetBoxHook(BoxHook hook) { boxHook_ = std::move(hook); }
  void SetFileHook(FileHook hook) { fileHook_ = std::move(hook); }

 private:
  QWidget* window_;
  std::array<QLabel*, 3> statusParts_;
  QProgressBar* progressBar_;
  BoxHook boxHook_;
  FileHook fileHook_;
};

// Program texts are UTF-8 with CR LF line ends; Qt wants plain line feeds.
QString ToQString(std::string_view text);

}  // namespace korvane
