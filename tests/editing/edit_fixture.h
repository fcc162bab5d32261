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
#include "scripted_dialogs.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane::edit_test {

using Links = std::vector<std::int32_t>;
inline Links Of(const LinkList& list) { return {list.begin(), list.end()}; }

using test::LinkFaults;

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
