#pragma once

// A small world for the link operations: a store, scripted message boxes and dialogs, the
// shared edit state and a log file; every test ends with a check of the links.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../store/store_fixture.h"
#include "common/link_faults.h"
#include "common/store_rows.h"
#include "common/test_support.h"
#include "editing/completion_lists.h"
#include "editing/edit_session.h"
#include "editing/person_dialog.h"
#include "export_round_trip.h"
#include "platform/scripted_ui.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane::edit_test {

using Links = std::vector<std::int32_t>;
inline Links Of(const LinkList& list) { return {list.begin(), list.end()}; }

using test::LinkFaults;

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

class EditTest : public ::testing::Test {
 protected:
  EditTest() { diagnostics.SetLogPath(log); }
  // Whatever a test did, the links stay two-way and survive an export and a reload.
  void TearDown() override {
    EXPECT_EQ(LinkFaults(store), std::vector<std::string>{});
    EXPECT_EQ(ExportAndReloadFaults(store, folder), "");
  }

  std::string Log() const { return test::ReadFile(log); }
  const ScriptedUi::ShownBox& LastBox() const { return ui.Boxes().back(); }
  void Answer(std::initializer_list<MessageAnswer> answers) {
    for (MessageAnswer answer : answers) ui.QueueAnswer(answer);
  }
  bool Has(Rin rin, std::uint32_t flag) const { return store.personTable[rin].flags & flag; }

  test::TempFolder folder;
  const std::string log = folder.Path("korvane.log");
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store store;
  ScriptedDialogs dialogs;
  CompletionLists completions;
  EditState state;
  int sortWaits = 0;
  EditSession session{store, diagnostics, ui, dialogs, completions, state, [this] { ++sortWaits; }};
};

constexpr MessageAnswer kYes = MessageAnswer::Yes;
constexpr MessageAnswer kNo = MessageAnswer::No;

}  // namespace korvane::edit_test
