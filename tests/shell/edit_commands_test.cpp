// The "BEARBEITEN" menu through the main window's commands: the current person is the
// subject, the dialogs come from the window, and the tab shows the data afterwards.

#include "editing/person_dialog.h"
#include "shell_fixture.h"
#include "store/accessors.h"

namespace korvane::shell_test {
namespace {

TEST(EditCommands, TheFirstPersonOfAnEmptyProgramOpensTheHourglass) {
  Shell s;
  EXPECT_TRUE(s.app.CommandEnabled(kCmdNewPerson));
  EXPECT_FALSE(s.app.CommandEnabled(kCmdEditPerson));
  s.app.RunCommand(kCmdNew);
  s.dialogs.QueueEdit([](PersonDialog& dialog) {
    dialog.SexKeyTyped(U'm');
    dialog.SetText(kGivenNamesField, "Karl");
    dialog.SetText(kSurnameField, "Brandt");
    return dialog.Save();
  });
  s.app.RunCommand(kCmdNewPerson);
  ASSERT_EQ(s.app.store().PersonCount(), 1);
  EXPECT_EQ(s.dialogs.titles, std::vector<std::string>{"NEUE PERSON HINZUFÜGEN: [1]  "});
  EXPECT_TRUE(s.Present(1));
  EXPECT_EQ(s.app.store().personTable[1].sex, 'M');
  EXPECT_EQ(s.view.shownTab, 5);
  EXPECT_EQ(s.view.DataCommandsEnabled(), true);
  EXPECT_TRUE(s.ui.Boxes().empty());

  // A second person is added to the data as they are, and the tab stays.
  s.app.ShowTab(kTabList);
  s.dialogs.QueueEdit(edit_test::Saved("Anna", "Köhler"));
  s.ui.QueueAnswer(MessageAnswer::No);  // "Ist diese Person männlich?"
  s.app.RunCommand(kCmdNewPerson);
  EXPECT_EQ(s.app.store().personTable[2].sex, 'F');
  EXPECT_EQ(s.view.shownTab, kTabList);
  EXPECT_EQ(s.app.personList().RowCount(), 2);
}

TEST(EditCommands, AddAChildToTheCurrentPersonAndRefuseTypedNumbersThatNameNoOne) {
  Shell s;
  s.Load();
  s.app.state().currentRin = 1;
  // An empty number asks for a new child of the family shown.
  s.dialogs.QueueText("");
  s.dialogs.QueueEdit(edit_test::Saved("Paul"));
  s.ui.QueueAnswer(MessageAnswer::Yes);  // a man
  s.ui.QueueAnswer(MessageAnswer::No);   // no further child
  s.app.RunCommand(kCmdAddChild);
  const Store& store = s.app.store();
  ASSERT_EQ(store.PersonCount(), 7);
  EXPECT_TRUE(ListContains(store.familyTable[1].children, 7));
  EXPECT_EQ(store.personTable[7].surname, std::string_view("Brandt"));
  EXPECT_EQ(s.app.personList().RowCount(), 5);
  EXPECT_EQ(s.dialogs.titles.front(), "KIND HINZUFÜGEN ZU: [1] Karl Brandt");

  // RIN 3 was never defined, and a person is not their own child: nothing changes.
  for (const char* typed : {"3", "1", "99999999999"}) {
    s.ui.ClearBoxes();
    s.dialogs.QueueText(typed);
    s.app.RunCommand(kCmdAddChild);
    ASSERT_EQ(s.ui.Boxes().size(), 1u) << typed;
    EXPECT_EQ(s.ui.Boxes()[0].title, "FEHLER") << typed;
    EXPECT_EQ(store.PersonCount(), 7) << typed;
    EXPECT_EQ(store.familyTable[1].children.Count(), 3) << typed;
  }
}

TEST(EditCommands, SoundexNeedsNoDataAndRunsWhileAFileIsRead) {
  Shell s;
  s.app.RunCommand(kCmdSoundex);
  EXPECT_EQ(s.view.soundexDialogs, 1);
  EXPECT_TRUE(FindCommand(kCmdSoundex)->rules.whileBusy);
}

}  // namespace
}  // namespace korvane::shell_test
