#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace korvane {

// A Ui without windows: records every message box and answers questions from a queue.
// Boxes that only offer OK never take an answer from the queue.
class ScriptedUi : public Ui {
 public:
  struct ShownBox {
    std::string title;
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
  };

  MessageAnswer MessageBox(std::string_view text, std::string_view title, MessageButtons buttons,
                           MessageIcon icon) override;

  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void SetStatusText(int part, std::string_view text) override;
  void ProgressBarBegin() override;
  void ProgressBarStep() override { ++progressPosition_; }
  void ProgressBarEnd() override { progressVisible_ = false; }
  void PumpPendingMessages() override { ++pumps_; }

  // Paths the next file dialogs answer, in order; none (cancel) once the queue is empty.
  void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }

  // Answers for the next questions, in order.
  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  // The answer once the queue is empty; without one, the first button of the box.
  void SetDefaultAnswer(std::optional<MessageAnswer> answer) { defaultAnswer_ = answer; }
  // Called for every box as it is shown (the command line prints them).
  void SetObserver(std::function<void(const ShownBox&)> observer) {
    observer_ = std::move(observer);
  }

  const std::vector<ShownBox>& Boxes() const { return boxes_; }
  void ClearBoxes() { boxes_.clear(); }

  // The current text of a status bar part, and every text set, in order ("0: text").
  const std::string& StatusText(int part) const { return status_[Clamp(part)]; }
  const std::vector<std::string>& StatusHistory() const { return statusHistory_; }
  bool ProgressVisible() const { return progressVisible_; }
  int ProgressPosition() const { return progressPosition_; }
  int Pumps() const { return pumps_; }

 private:
  std::vector<ShownBox> boxes_;
  std::deque<MessageAnswer> answers_;
  std::optional<MessageAnswer> defaultAnswer_;
  std::function<void(const ShownBox&)> observer_;
  std::deque<std::optional<std::string>> files_;
  std::vector<FileDialogRequest> fileDialogs_;
  std::string status_[3];
  std::vector<std::string> statusHistory_;
  bool progressVisible_ = false;
  int progressPosition_ = 0;
  int pumps_ = 0;

  static int Clamp(int part) { return part < 0 ? 0 : part > 2 ? 2 : part; }
};

}  // namespace korvane
