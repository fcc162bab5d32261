#include "editing/family_member_list.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::NewFamily;
using store_test::NewPerson;

class FamilyMemberListTest : public EditTest {
 protected:
  FamilyMemberListTest() {
    NewFamily(store, johann, eva, {karl});
    NewFamily(store, johann, rosa);
    state.currentRin = johann;
  }

  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin rosa = NewPerson(store, "Rosa", "Klein", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Rin otto = NewPerson(store, "Otto", "Lang", 'M');
  FamilyMemberList list{session, johann};
};

bool Nothing(const MemberListResult& r) {
  return !r.showFamilyView && !r.removeItem && !r.showContextMenu && !r.rebuildPersonList;
}

TEST_F(FamilyMemberListTest, LeftClickCyclesTheMarriagesOrMakesAChildCurrent) {
  EXPECT_TRUE(list.LeftClick(johann).showFamilyView);
  EXPECT_EQ(state.currentFamilyIndex, 1);
  NewFamily(store, johann, 0);
  list.LeftClick(johann);
  EXPECT_EQ(state.currentFamilyIndex, 2);
  list.LeftClick(johann);
  EXPECT_EQ(state.currentFamilyIndex, 0);

  // One marriage: nothing to cycle through.
  FamilyMemberList ofKarl(session, karl);
  NewFamily(store, karl, 0);
  state.currentRin = karl;
  EXPECT_TRUE(Nothing(ofKarl.LeftClick(karl)));
  EXPECT_EQ(state.currentFamilyIndex, 0);

  state.currentRin = johann;
  const MemberListResult moved = list.LeftClick(karl);
  EXPECT_TRUE(moved.showFamilyView && !moved.rebuildPersonList);
  EXPECT_EQ(state.previousRin, johann);
  EXPECT_EQ(state.currentRin, karl);
  EXPECT_TRUE(Nothing(list.LeftClick(store.PersonCount() + 1)));
  EXPECT_EQ(state.currentRin, karl);
  EXPECT_TRUE(dialogs.titles.empty() && ui.Boxes().empty());
}

TEST_F(FamilyMemberListTest, EmptyLinesAddChildrenToTheShownFamily) {
  // Left click: a new child of the marriage shown.
  state.currentFamilyIndex = 1;
  dialogs.QueueEdit(Saved("Lisa", "Maier"));
  Answer({kNo, kNo});  // a girl; no further child
  const MemberListResult added = list.LeftClick(0);
  EXPECT_TRUE(added.showFamilyView && added.rebuildPersonList);
  EXPECT_EQ(Of(store.familyTable[2].children), Links{6});
  EXPECT_EQ(dialogs.titles, std::vector<std::string>{"KIND HINZUFÜGEN ZU: [1] Johann Maier"});

  // Right click with a RIN typed: that person joins the shown family.
  dialogs.QueueText("5");
  const MemberListResult joined = list.RightClick(-1);
  EXPECT_TRUE(joined.showFamilyView && joined.rebuildPersonList && !joined.showContextMenu);
  EXPECT_EQ(Of(store.familyTable[2].children), (Links{6, otto}));
  EXPECT_EQ(dialogs.titles.back(), "KIND HINZUFÜGEN ZU: [1] Johann Maier");

  // Left empty: new children as on a left click; a cancelled dialog adds nothing.
  dialogs.QueueText("");
  dialogs.QueueCancel();
  EXPECT_FALSE(list.RightClick(0).rebuildPersonList);
  EXPECT_EQ(dialogs.titles.size(), 4u);
  EXPECT_EQ(store.PersonCount(), 6);
  dialogs.QueueText(std::nullopt);
  EXPECT_TRUE(Nothing(list.RightClick(0)));

  // A typed number that names nobody is refused by the operation.
  dialogs.QueueText("77");
  list.RightClick(0);
  EXPECT_EQ(LastBox().text, "Person [77] gibt es nicht");

  // A person without a family gets one of its own for the child.
  FamilyMemberList ofOtto(session, otto);
  state.currentFamilyIndex = 0;
  dialogs.QueueEdit(Saved("Paul", "Lang"));
  Answer({kYes, kNo});
  ofOtto.LeftClick(0);
  EXPECT_EQ(store.familyTable[3].husband, otto);
  EXPECT_EQ(Of(store.familyTable[3].children), Links{7});

  FamilyMemberList ofNobody(session, 0);
  EXPECT_TRUE(Nothing(ofNobody.LeftClick(0)));
  EXPECT_TRUE(Nothing(ofNobody.RightClick(0)));
}

TEST_F(FamilyMemberListTest, RightClickOnAChildOpensTheMenu) {
  EXPECT_TRUE(list.RightClick(karl).showContextMenu);
  EXPECT_TRUE(dialogs.titles.empty());
  std::vector<std::pair<int, std::string>> entries;
  for (const MemberMenuEntry& entry : MemberMenuEntries())
    entries.emplace_back(entry.command, entry.text);
  EXPECT_EQ(entries, (std::vector<std::pair<int, std::string>>{{32779, "&Bearbeiten"},
                                                               {32825, "&Andere Eltern"},
                                                               {32780, "&Trennen"},
                                                               {32788, "&Löschen"}}));
}

TEST_F(FamilyMemberListTest, MenuCommandsSeparateDeleteAndReassign) {
  // Separating and deleting ask first; the line goes only when it was done.
  Answer({kNo});
  EXPECT_TRUE(Nothing(list.ContextCommand(kSeparateMemberCommand, karl)));
  Answer({kYes});
  EXPECT_TRUE(list.ContextCommand(kSeparateMemberCommand, karl).removeItem);
  EXPECT_TRUE(store.personTable[karl].famc.Empty());

  // Other parents: the family typed; 0, nothing typed or a cancel leave the child alone.
  dialogs.QueueText("0");
  dialogs.QueueText("");
  dialogs.QueueText(std::nullopt);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Nothing(list.ContextCommand(kOtherParentsCommand, karl)));
  dialogs.QueueText("2");
  EXPECT_TRUE(list.ContextCommand(kOtherParentsCommand, karl).showFamilyView);
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{2});
  EXPECT_EQ(dialogs.titles.back(), "ELTERN ZUORDNEN [1] Johann Maier");
  dialogs.QueueText("9");
  EXPECT_TRUE(Nothing(list.ContextCommand(kOtherParentsCommand, karl)));
  EXPECT_EQ(LastBox().title, "FEHLER");

  Answer({kNo, kYes});
  EXPECT_TRUE(Nothing(list.ContextCommand(kDeleteMemberCommand, karl)));
  const MemberListResult deleted = list.ContextCommand(kDeleteMemberCommand, karl);
  EXPECT_TRUE(deleted.removeItem && deleted.rebuildPersonList);
  EXPECT_FALSE(PersonExists(store, karl));

  // Empty lines and unknown commands do nothing.
  const std::size_t boxes = ui.Boxes().size();
  EXPECT_TRUE(Nothing(list.ContextCommand(kDeleteMemberCommand, 0)));
  EXPECT_TRUE(Nothing(list.ContextCommand(32781, otto)));
  EXPECT_EQ(ui.Boxes().size(), boxes);
}

TEST_F(FamilyMemberListTest, EditOpensThePersonDialogForTheChild) {
  dialogs.QueueEdit(Saved("Karl Friedrich", "Maier"));
  const MemberListResult edited = list.ContextCommand(kEditMemberCommand, karl);
  EXPECT_TRUE(edited.showFamilyView && edited.rebuildPersonList);
  EXPECT_EQ(dialogs.titles, std::vector<std::string>{"PERSON BEARBEITEN: [4] Karl Maier"});
  EXPECT_STREQ(store.personTable[karl].givenNames, "Karl Friedrich");
  dialogs.QueueCancel();
  EXPECT_TRUE(Nothing(list.ContextCommand(kEditMemberCommand, karl)));
  store.personTable[otto].flags = 0;
  EXPECT_TRUE(Nothing(list.ContextCommand(kEditMemberCommand, otto)));
  EXPECT_EQ(LastBox().text, "Person [5] gibt es nicht");
  EXPECT_EQ(dialogs.titles.size(), 2u);
}

}  // namespace
}  // namespace korvane::edit_test
