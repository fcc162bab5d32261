#include "editing/separate.h"

#include "edit_fixture.h"
#include "editing/delete_family.h"

namespace korvane::edit_test {
namespace {

using store_test::NewFamily;
using store_test::NewPerson;

using SeparateTest = EditTest;

TEST_F(SeparateTest, SpousesPartAndAChildlessFamilyGoes) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'f');
  const Rin rosa = NewPerson(store, "Rosa", "Klein", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Mrin childless = NewFamily(store, johann, eva);
  const Mrin withChild = NewFamily(store, johann, rosa, {karl});
  ListAppend(store.personTable[johann].fams, childless);  // a doubled link
  state.currentRin = johann;

  ui.QueueAnswer(kNo);
  EXPECT_FALSE(SeparateSpouse(session, johann));
  EXPECT_EQ(LastBox().text,
            "Soll Johann Maier [1] \r\nals Ehepartner von\r\nEva Huber [2] \r\ngetrennt werden?");
  EXPECT_EQ(LastBox().title, "EHEPARTNER TRENNEN");
  EXPECT_EQ(store.familyTable[childless].wife, eva);

  ui.QueueAnswer(kYes);
  EXPECT_TRUE(SeparateSpouse(session, johann));
  EXPECT_EQ(store.familyTable[childless].flags, 0u);
  EXPECT_EQ(Of(store.personTable[johann].fams), Links{withChild});
  EXPECT_EQ(Log(), "Ehepartner getrennt von rin 1, mrin 1\n[2] Eva Huber \r\n");

  // From the woman's side ("f"), with the current person as the spouse to leave: the
  // family stays with him and the child.
  state.currentRin = johann;
  state.currentFamilyIndex = 3;
  ui.QueueAnswer(kYes);
  EXPECT_TRUE(SeparateSpouse(session, rosa));
  EXPECT_EQ(store.familyTable[withChild].husband, johann);
  EXPECT_EQ(Of(store.familyTable[withChild].children), Links{karl});
  EXPECT_TRUE(Has(rosa, ChangedFlag) && Has(johann, ChangedFlag));
}

TEST_F(SeparateTest, AFamilyWithoutSpouseGoesAndItsChildrenLetItGo) {
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin karl = NewPerson(store, "Karl", "Huber", 'M');
  const Rin kim = NewPerson(store, "Kim", nullptr);
  const Mrin alone = NewFamily(store, 0, eva, {karl});
  state.currentRin = eva;
  state.currentFamilyIndex = 0;

  EXPECT_FALSE(SeparateSpouse(session, eva));
  EXPECT_EQ(store.familyTable[alone].flags, 0u);
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{});
  EXPECT_EQ(Log(), "RIN 1 getrennt, mrin 1 gelöscht\n[1] Eva Huber \r\n");

  EXPECT_FALSE(SeparateSpouse(session, kim));
  EXPECT_EQ(LastBox().text, "Kim  [3] hat keinen Ehepartner");
  EXPECT_FALSE(SeparateChild(session, kim));
  EXPECT_EQ(LastBox().text, "Kim  [3] hat keinen Eltern");
}

TEST_F(SeparateTest, AChildLeavesAFamilyThatStaysWhileItLinksAParentWithAChild) {
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin anna = NewPerson(store, "Anna", "Huber", 'F');
  const Rin paul = NewPerson(store, "Paul", "Huber", 'M');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Mrin motherOnly = NewFamily(store, 0, eva, {anna, paul});
  const Mrin both = NewFamily(store, johann, eva, {karl});
  const Mrin foster = NewFamily(store, 0, 0, {karl});
  ListAppend(store.familyTable[motherOnly].children, anna);  // doubled

  ui.QueueAnswer(kYes);
  EXPECT_TRUE(SeparateChild(session, anna));
  EXPECT_EQ(LastBox().text,
            "Soll Anna Huber [3] \r\nvon diesen Eltern getrennt werden?\r\nMRIN:1"
            "\r\nMutter: Eva Huber [1]");
  EXPECT_EQ(LastBox().title, "KIND TRENNEN");
  EXPECT_EQ(Of(store.familyTable[motherOnly].children), Links{paul});
  EXPECT_TRUE(store.familyTable[motherOnly].flags & PresentFlag);  // mother and Paul

  ui.QueueAnswer(kYes);
  EXPECT_TRUE(SeparateChild(session, paul));  // the mother alone is no family
  EXPECT_EQ(store.familyTable[motherOnly].flags, 0u);
  EXPECT_EQ(Of(store.personTable[eva].fams), Links{both});

  Answer({kNo, kYes});
  EXPECT_TRUE(SeparateChild(session, karl));
  EXPECT_NE(ui.Boxes()[2].text.find("\r\nVater: Johann Maier [2]\r\nMutter: Eva Huber [1]"),
            std::string::npos);
  EXPECT_EQ(store.familyTable[foster].flags, 0u);
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{both});
  EXPECT_NE(Log().find("mrin 3 gelöscht\nKind getrennt von mrin 3\n[5] Karl Maier \r\n"),
            std::string::npos);

  Answer({kNo});
  EXPECT_FALSE(SeparateChild(session, karl));
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{both});
}

TEST_F(SeparateTest, DeleteFamilyUnlinksEveryMember) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Mrin family = NewFamily(store, johann, eva, {karl, karl});

  DeleteFamily(session, family);
  EXPECT_EQ(store.familyTable[family].flags, 0u);
  EXPECT_EQ(store.familyTable[family].husband, johann);  // the record keeps its values
  EXPECT_EQ(Of(store.familyTable[family].children), Links{});
  EXPECT_TRUE(Has(johann, ChangedFlag) && Has(karl, ChangedFlag));
  EXPECT_EQ(Log(), "mrin 1 gelöscht\n");
  DeleteFamily(session, family);  // gone already: nothing more
  EXPECT_EQ(Log(), "mrin 1 gelöscht\n");
}

}  // namespace
}  // namespace korvane::edit_test
