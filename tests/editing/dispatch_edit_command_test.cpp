#include "editing/dispatch_edit_command.h"

#include "edit_fixture.h"
#include "editing/dialog_title.h"
#include "editing/presence_flags.h"

namespace korvane::edit_test {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

using DispatchTest = EditTest;

TEST_F(DispatchTest, NewPersonOnAnEmptyProgramIsRinOneAndShowsTheHourglass) {
  dialogs.QueueCancel();
  EditOutcome outcome = DispatchEditCommand(session, kNewPersonCommand, 0);
  EXPECT_TRUE(outcome.handled);
  EXPECT_EQ(store.PersonCount(), 0);
  EXPECT_FALSE(outcome.showTab);

  dialogs.QueueEdit(Saved("Johann", "Maier"));
  ui.QueueAnswer(kNo);
  outcome = DispatchEditCommand(session, kNewPersonCommand, 0);
  EXPECT_EQ(dialogs.titles.back(), "NEUE PERSON HINZUFÜGEN: [1]  ");
  EXPECT_EQ(LastBox().text, "Ist diese Person männlich?");
  EXPECT_EQ(store.PersonCount(), 1);
  EXPECT_TRUE(Has(1, PresentFlag));
  EXPECT_TRUE(outcome.enableDataCommands);
  EXPECT_EQ(outcome.showTab, 5);

  dialogs.QueueEdit([](PersonDialog& dialog) {
    dialog.SexKeyTyped(U'm');
    return Saved("Paul")(dialog);
  });
  outcome = DispatchEditCommand(session, kNewPersonCommand, 0);
  EXPECT_EQ(ui.Boxes().size(), 1u);  // a sex was typed: nothing asked
  EXPECT_FALSE(outcome.enableDataCommands);
}

TEST_F(DispatchTest, SubjectsAndTypedNumbersAreChecked) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const auto rows = test::StoreRows(store);

  for (const Rin subject : {0, -4}) {
    EXPECT_TRUE(DispatchEditCommand(session, kAddSpouseCommand, subject).handled);
  }
  EXPECT_TRUE(dialogs.titles.empty());
  EXPECT_TRUE(ui.Boxes().empty());
  EXPECT_FALSE(DispatchEditCommand(session, 32824, johann).handled);  // merge: not here
  EXPECT_FALSE(DispatchEditCommand(session, 40000, johann).handled);
  DispatchEditCommand(session, kAddSpouseCommand, 9);
  EXPECT_EQ(LastBox().text, "Person [9] gibt es nicht");

  dialogs.QueueText("77");
  DispatchEditCommand(session, kAddSpouseCommand, johann);
  EXPECT_EQ(dialogs.titles.back(), "EHEPARTNER HINZUFÜGEN ZU: [1] Johann Maier");
  EXPECT_EQ(LastBox().text, "Person [77] gibt es nicht");
  dialogs.QueueText("1");
  DispatchEditCommand(session, kAddFatherCommand, johann);
  EXPECT_EQ(LastBox().text, "Person [1] kann nicht mit sich selbst verbunden werden");
  DispatchEditCommand(session, kAddMotherCommand, johann);  // the dialog was cancelled
  EXPECT_EQ(test::StoreRows(store), rows);

  dialogs.QueueText(" 2");
  EXPECT_TRUE(DispatchEditCommand(session, kAddSpouseCommand, johann).rebuildPersonList);
  EXPECT_EQ(store.familyTable[1].wife, eva);

  EXPECT_EQ(TypedNumber(""), 0);
  EXPECT_EQ(TypedNumber("abc"), 0);
  EXPECT_EQ(TypedNumber("12x"), 12);
  EXPECT_EQ(TypedNumber("-3"), -3);
  EXPECT_EQ(TypedNumber("99999999999999999999"), 2147483647);
}

TEST_F(DispatchTest, AnEmptyNumberAddsANewPersonIntoTheShownFamily) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin rosa = NewPerson(store, "Rosa", "Klein", 'F');
  NewFamily(store, johann, eva);
  const Mrin second = NewFamily(store, johann, rosa);
  state.currentFamilyIndex = 1;

  dialogs.QueueText("");
  dialogs.QueueEdit(Saved("Karl"));
  Answer({kYes, kNo});
  DispatchEditCommand(session, kAddChildCommand, johann);
  EXPECT_EQ(Of(store.familyTable[second].children), Links{4});
  EXPECT_STREQ(store.personTable[4].surname, "Maier");

  dialogs.QueueText("");
  dialogs.QueueEdit(Saved("Paul", "Huber"));
  DispatchEditCommand(session, kAddFatherCommand, eva);
  EXPECT_EQ(store.personTable[5].sex, 'M');
  EXPECT_EQ(Of(store.personTable[eva].famc), Links{3});

  ui.QueueAnswer(kYes);
  const EditOutcome outcome = DispatchEditCommand(session, kDeletePersonCommand, 4);
  EXPECT_TRUE(outcome.personDeleted && outcome.rebuildPersonList);
  EXPECT_EQ(Of(store.familyTable[second].children), Links{});
}

TEST_F(DispatchTest, SelectionCommandsKeepTheCountInStep) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  NewPerson(store, "Eva", "Huber", 'F');
  const Rin gone = NewPerson(store, "Alt", "Huber", 'F');
  store.personTable[gone].flags = 0;

  EXPECT_EQ(DispatchEditCommand(session, kSelectPersonCommand, johann).showTab, 1);
  DispatchEditCommand(session, kSelectAllCommand, johann);
  EXPECT_EQ(state.selectedCount, 2);
  EXPECT_EQ(store.personTable[gone].flags, 0u);  // a deleted record stays deleted
  ui.QueueAnswer(kYes);
  DispatchEditCommand(session, kDeletePersonCommand, 2);
  EXPECT_EQ(state.selectedCount, 1);
  DispatchEditCommand(session, kUnselectPersonCommand, johann);
  EXPECT_EQ(state.selectedCount, 0);
  DispatchEditCommand(session, kSelectAllCommand, johann);
  const EditOutcome outcome = DispatchEditCommand(session, kUnselectAllCommand, johann);
  EXPECT_EQ(outcome.showTab, 0);
  EXPECT_TRUE(outcome.rebuildPersonList);
  EXPECT_EQ(state.selectedCount, 0);
}

TEST_F(DispatchTest, PresenceFlagsMirrorTheFieldsAndTitlesNameThePerson) {
  const Rin johann = NewPerson(store, "Johann", nullptr, 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Mrin family = NewFamily(store, johann, eva);
  Person& p = store.personTable[johann];
  SetEvent(store, johann, Event::Birth, Date(1801), "Ulm");
  p.flags |= HasDeathDateFlag;  // stale: no death date
  p.burialPlace = InternText(store.texts, TextPoolId::Places, "Wien");
  store.familyTable[family].marriageDate = Date(1830);

  RefreshPresenceFlags(store, johann);
  EXPECT_EQ(p.flags & 0x07FF, HasGivenNamesFlag | HasSexFlag | HasBirthDateFlag |
                                  HasBirthPlaceFlag | HasBurialPlaceFlag);
  EXPECT_EQ(p.surname, nullptr);  // an absent name stays absent
  EXPECT_TRUE(store.familyTable[family].flags & HasMarriageDateFlag);
  RefreshPresenceFlags(store, 0);
  RefreshPresenceFlags(store, 50);

  SetDialogTitle(session, "PERSON BEARBEITEN:", johann);
  EXPECT_EQ(state.pendingDialogTitle, "PERSON BEARBEITEN: [1] Johann ");
}

}  // namespace
}  // namespace korvane::edit_test
