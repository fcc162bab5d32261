#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editing/edit_session.h"
#include "editing/person_dialog.h"

namespace korvane::test {

// The dialogs of the link operations answered by the test: a person dialog by the next
// queued step (it fills in the fields and says whether to save; none left cancels), a
// number dialog by the next queued text (none left cancels). Titles are kept in order.
class QueuedDialogs : public EditDialogs {
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

  void QueueStep(Step step) { steps_.push_back(std::move(step)); }
  // The dialog with these given names and surname typed in, then saved.
  void QueueSaved(std::string givenNames, std::string surname = {}) {
    QueueStep([=](PersonDialog& dialog) {
      dialog.SetText(kGivenNamesField, givenNames);
      if (!surname.empty()) dialog.SetText(kSurnameField, surname);
      return dialog.Save();
    });
  }
  void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }

  std::vector<std::string> titles;

 private:
  std::optional<std::string> Next(std::string_view title) {
    titles.emplace_back(title);
    if (texts_.empty()) return std::nullopt;
    std::optional<std::string> text = std::move(texts_.front());
    texts_.pop_front();
    return text;
  }

  std::deque<Step> steps_;
  std::deque<std::optional<std::string>> texts_;
};

}  // namespace korvane::test
