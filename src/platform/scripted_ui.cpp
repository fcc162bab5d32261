#include "platform/scripted_ui.h"

#include <string>

namespace korvane {
namespace {

MessageAnswer FirstButton(MessageButtons buttons) {
  return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? MessageAnswer::Ok
                                                                              : MessageAnswer::Yes;
}

}  // namespace

MessageAnswer ScriptedUi::MessageBox(std::string_view text, std::string_view title,
                                     MessageButtons buttons, MessageIcon icon) {
  boxes_.push_back({std::string(title), std::string(text), buttons, icon});
  if (observer_) observer_(boxes_.back());
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (!answers_.empty()) {
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return defaultAnswer_.value_or(FirstButton(buttons));
}

std::optional<std::string> ScriptedUi::ChooseFile(const FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  if (files_.empty()) return std::nullopt;
  std::optional<std::string> path = std::move(files_.front());
  files_.pop_front();
  return path;
}

void ScriptedUi::SetStatusText(int part, std::string_view text) {
  status_[Clamp(part)] = text;
  statusHistory_.push_back(std::to_string(Clamp(part)) + ": " + std::string(text));
}

void ScriptedUi::ProgressBarBegin() {
  progressVisible_ = true;
  progressPosition_ = 0;
}

}  // namespace korvane
