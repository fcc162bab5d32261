#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editing/edit_session.h"
#include "editing/person_dialog.h"

namespace korvane::edit_test {

// Person dialogs answered by queued steps (a step fills in the dialog's fields and
// saves, or says false for cancel; none left means cancel), number dialogs by queued texts.
class ScriptedDialogs : public EditDialogs {
 public:
  using Step = std::function<bool(PersonDialog&)>;

  bool EditPerson(PersonDialog& dialog) override {
    titles.push_back(dialog.Title());
    if (steps_.empty()) return false;
    Step step = std::move(steps_.front());
    steps_.pop_front();
    return step(dialog);
  }
  std::optional<std::string> AskRin(std::string_view title) override { return Next(title); }
  std::optional<std::string> AskMrin(std::string_view title) override { return Next(title); }

  void QueueEdit(Step step) { steps_.push_back(std::move(step)); }
  void QueueCancel() {
    steps_.push_back([](PersonDialog&) { return false; });
  }
  void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }

  std::vector<std::string> titles;

 private:
  std::optional<std::string> Next(std::string_view title) {
    titles.emplace_back(title);
    if (texts_.empty()) return std::nullopt;
    std::optional<std::string> text = texts_.front();
    texts_.pop_front();
    return text;
  }

  std::deque<Step> steps_;
  std::deque<std::optional<std::string>> texts_;
};

// The dialog filled in with these names (and a marriage year when not 0) and saved.
inline ScriptedDialogs::Step Saved(const char* givenNames, const char* surname = nullptr,
                                   int marriageYear = 0) {
  return [=](PersonDialog& dialog) {
    dialog.SetText(kGivenNamesField, givenNames);
    if (surname) dialog.SetText(kSurnameField, surname);
    if (marriageYear != 0) dialog.SetText(kMarriageDateField, std::to_string(marriageYear));
    return dialog.Save();
  };
}

}  // namespace korvane::edit_test
