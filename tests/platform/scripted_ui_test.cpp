#include "platform/scripted_ui.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ScriptedUi, RecordsBoxesAndAnswersQuestionsFromTheQueue) {
  ScriptedUi ui;
  std::vector<std::string> observed;
  ui.SetObserver([&](const ScriptedUi::ShownBox& box) { observed.push_back(box.text); });
  ui.QueueAnswer(MessageAnswer::No);

  // An OK box takes nothing from the queue.
  EXPECT_EQ(ui.MessageBox("Datei fehlt", "FEHLER", MessageButtons::Ok, MessageIcon::Exclamation),
            MessageAnswer::Ok);
  EXPECT_EQ(
      ui.MessageBox("Löschen?", "PERSON LÖSCHEN", MessageButtons::YesNo, MessageIcon::Question),
      MessageAnswer::No);
  // With the queue empty: the first button, or the default answer once one is set.
  EXPECT_EQ(ui.MessageBox("?", "T", MessageButtons::YesNoCancel, MessageIcon::Question),
            MessageAnswer::Yes);
  EXPECT_EQ(ui.MessageBox("?", "T", MessageButtons::OkCancel, MessageIcon::Question),
            MessageAnswer::Ok);
  ui.SetDefaultAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(ui.MessageBox("?", "T", MessageButtons::YesNoCancel, MessageIcon::Question),
            MessageAnswer::Cancel);

  ASSERT_EQ(ui.Boxes().size(), 5u);
  EXPECT_EQ(ui.Boxes()[0].title, "FEHLER");
  EXPECT_EQ(ui.Boxes()[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(ui.Boxes()[1].text, "Löschen?");
  EXPECT_EQ(ui.Boxes()[1].buttons, MessageButtons::YesNo);
  EXPECT_EQ(observed.size(), 5u);
  ui.ClearBoxes();
  EXPECT_TRUE(ui.Boxes().empty());
}

}  // namespace
}  // namespace korvane
