#include "editing/add_child.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::NewFamily;
using store_test::NewPerson;

using AddChildTest = EditTest;

TEST_F(AddChildTest, AParentWithoutFamilyGetsOneInTheRoleOfItsSex) {
  const Rin kim = NewPerson(store, "Kim", "Roth", 'U');
  const Rin lena = NewPerson(store, "Lena", "Roth", 'f');
  const Rin paul = NewPerson(store, "Paul", "Roth");
  const Rin emil = NewPerson(store, "Emil", "Roth", 'M');

  // An unknown sex is kept; such a person is a husband, as everywhere else.
  ui.QueueAnswer(kYes);
  EXPECT_EQ(AddChild(session, kim, paul), paul);
  EXPECT_EQ(store.personTable[kim].sex, 'U');
  EXPECT_EQ(store.familyTable[1].husband, kim);
  EXPECT_EQ(LastBox().text, "Ist die Person männlich?");
  EXPECT_EQ(LastBox().icon, MessageIcon::Question);
  EXPECT_EQ(store.personTable[paul].sex, 'M');
  EXPECT_TRUE(Has(kim, ChangedFlag) && Has(paul, ChangedFlag));
  EXPECT_EQ(Log(),
            "Neue FAMS mrin 1 für [1] Kim Roth \r\n"
            "Kind hinzugefügt zu mrin 1\n[3] Paul Roth \r\n");

  EXPECT_EQ(AddChild(session, lena, emil), emil);  // has a sex: nothing asked
  EXPECT_EQ(store.familyTable[2].wife, lena);
  EXPECT_EQ(ui.Boxes().size(), 1u);
}

TEST_F(AddChildTest, TakesTheShownFamilyAndRefusesBadChildren) {
  const Rin opa = NewPerson(store, "Georg", "Maier", 'M');
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin rosa = NewPerson(store, "Rosa", "Klein", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  NewFamily(store, opa, 0, {johann});
  const Mrin first = NewFamily(store, johann, eva);
  const Mrin second = NewFamily(store, johann, rosa);

  state.currentFamilyIndex = 1;
  EXPECT_EQ(AddChild(session, johann, karl), karl);
  EXPECT_EQ(Of(store.familyTable[second].children), Links{karl});
  EXPECT_EQ(AddChild(session, johann, karl), 0);
  EXPECT_EQ(LastBox().text, "Person [5] ist schon Kind der Familie [3]");
  EXPECT_EQ(AddChild(session, johann, opa), 0);
  EXPECT_EQ(LastBox().text, "Person [1] wäre dann ihr eigener Vorfahr");
  EXPECT_EQ(AddChild(session, johann, -3), 0);
  EXPECT_EQ(LastBox().text, "Person [-3] gibt es nicht");
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{second});

  // An index beyond the list falls back to the first family, without a fault box.
  const std::size_t boxes = ui.Boxes().size();
  state.currentFamilyIndex = 7;
  const Rin anna = NewPerson(store, "Anna", "Maier", 'F');
  EXPECT_EQ(AddChild(session, johann, anna), anna);
  EXPECT_EQ(Of(store.familyTable[first].children), Links{anna});
  EXPECT_EQ(ui.Boxes().size(), boxes);
}

TEST_F(AddChildTest, NewChildrenWithoutFamilyGetOneEachAndACancelKeepsTheEarlierOnes) {
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  dialogs.QueueEdit(Saved("Anna", "Huber"));
  dialogs.QueueEdit(Saved("Karl", "Huber"));
  Answer({kNo, kYes, kYes, kNo});  // sex, another, sex, another
  EXPECT_TRUE(AddNewChildren(session, eva, 0));
  EXPECT_EQ(store.FamilyCount(), 2);
  for (const Mrin mrin : {1, 2}) {
    EXPECT_EQ(store.familyTable[mrin].wife, eva);
    EXPECT_EQ(store.familyTable[mrin].husband, 0);
    EXPECT_EQ(Of(store.familyTable[mrin].children), Links{mrin + 1});
  }
  EXPECT_EQ(store.personTable[2].sex, 'F');
  EXPECT_EQ(store.personTable[3].sex, 'M');
  EXPECT_EQ(ui.Boxes()[1].text, "Weiteres Kind hinzufügen?");
  EXPECT_EQ(dialogs.titles[0], "KIND HINZUFÜGEN ZU: [1] Eva Huber");

  // Into a given family, with the husband's surname; the second dialog is cancelled.
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Mrin family = NewFamily(store, johann, eva);
  dialogs.QueueEdit(Saved("Paul"));
  dialogs.QueueCancel();
  Answer({kYes, kYes});
  EXPECT_FALSE(AddNewChildren(session, eva, family));
  EXPECT_EQ(store.PersonCount(), 5);
  EXPECT_STREQ(store.personTable[5].surname, "Maier");
  EXPECT_EQ(Of(store.familyTable[family].children), Links{5});

  const Rin kim = NewPerson(store, "Kim", nullptr, 'X');
  EXPECT_FALSE(AddNewChildren(session, kim, 0));
  EXPECT_EQ(LastBox().text, "Person [6] muss männlich oder weiblich sein");
  EXPECT_EQ(store.PersonCount(), 6);
}

TEST_F(AddChildTest, AssignParentsMovesTheChildOutOfEveryParentFamily) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Rin enkel = NewPerson(store, "Emil", "Maier", 'M');
  const Mrin parents = NewFamily(store, johann, eva, {karl});
  const Mrin foundling = NewFamily(store, 0, 0, {karl, karl});
  const Mrin target = NewFamily(store, 0, eva);
  const Mrin karlsFamily = NewFamily(store, karl, 0, {enkel});

  EXPECT_FALSE(AssignParents(session, karl, 0));
  EXPECT_FALSE(AssignParents(session, karl, 12));
  EXPECT_EQ(LastBox().text, "Familie [12] gibt es nicht");
  EXPECT_FALSE(AssignParents(session, karl, karlsFamily));
  EXPECT_EQ(LastBox().text, "Person [3] wäre dann ihr eigener Vorfahr");
  EXPECT_FALSE(AssignParents(session, karl, parents));  // already his

  EXPECT_TRUE(AssignParents(session, karl, target));
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{target});
  EXPECT_EQ(Of(store.familyTable[parents].children), Links{});
  EXPECT_EQ(store.familyTable[foundling].flags, 0u);  // nobody left in it
  EXPECT_EQ(Of(store.familyTable[target].children), Links{karl});
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace korvane::edit_test
