#include "editing/add_parent.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::NewFamily;
using store_test::NewPerson;

using AddParentTest = EditTest;

TEST_F(AddParentTest, AFatherOfTwoMarriagesIsAskedAboutEachMother) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'm');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin rosa = NewPerson(store, "Rosa", "Klein", 'F');
  const Rin karl = NewPerson(store, "Karl", nullptr, 'M');
  const Mrin first = NewFamily(store, johann, eva);
  const Mrin second = NewFamily(store, johann, rosa);

  Answer({kNo, kYes});
  EXPECT_EQ(AddFather(session, karl, johann), johann);
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_EQ(ui.Boxes()[0].text, "mit Eva Huber [2] als Mutter?");
  EXPECT_EQ(ui.Boxes()[1].text, "mit Rosa Klein [3] als Mutter?");
  EXPECT_EQ(Of(store.familyTable[first].children), Links{});
  EXPECT_EQ(Of(store.personTable[karl].famc), Links{second});
  EXPECT_EQ(Log(), "Vater hinzugefügt zu rin 4, mrin 2\n[1] Johann Maier \r\n");

  EXPECT_EQ(AddFather(session, karl, johann), 0);
  EXPECT_EQ(LastBox().text, "Person [1] ist schon Elternteil von Person [4]");
  EXPECT_EQ(AddFather(session, karl, eva), 0);
  EXPECT_EQ(LastBox().text, "Person [2] muss männlich sein");
  EXPECT_EQ(AddMother(session, karl, johann), 0);
  EXPECT_EQ(LastBox().text, "Person [1] muss weiblich sein");
  EXPECT_EQ(AddFather(session, johann, karl), 0);  // his own son
  EXPECT_EQ(LastBox().text, "Person [4] wäre dann ihr eigener Vorfahr");
}

TEST_F(AddParentTest, DeclinedMarriagesLeadToTheChildsFamilyWithoutThatParent) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Rin anna = NewPerson(store, "Anna", "Huber", 'F');
  NewFamily(store, johann, eva);
  const Mrin motherOnly = NewFamily(store, 0, eva, {karl});

  ui.QueueAnswer(kNo);
  EXPECT_EQ(AddFather(session, karl, johann), johann);
  EXPECT_EQ(store.familyTable[motherOnly].husband, johann);
  EXPECT_EQ(Of(store.personTable[johann].fams), (Links{1, motherOnly}));

  // No family to join: a new one, with the child in it.
  Answer({kNo, kNo});
  EXPECT_EQ(AddMother(session, anna, eva), eva);
  EXPECT_EQ(LastBox().text, "mit Johann Maier [1] als Vater?");
  EXPECT_EQ(store.FamilyCount(), 3);
  EXPECT_EQ(store.familyTable[3].wife, eva);
  EXPECT_EQ(Of(store.familyTable[3].children), Links{anna});
  EXPECT_NE(Log().find("Neue FAMC mrin 3 für [4] Anna Huber \r\n"
                       "Mutter hinzugefügt zu rin 4, mrin 3\n[2] Eva Huber \r\n"),
            std::string::npos);
}

TEST_F(AddParentTest, NewParentsAreMadeInTheDialog) {
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Mrin motherOnly = NewFamily(store, 0, eva, {karl});
  const auto rows = test::StoreRows(store);

  dialogs.QueueCancel();
  EXPECT_EQ(AddNewFather(session, karl), 0);
  EXPECT_EQ(test::StoreRows(store), rows);

  dialogs.QueueEdit([this](PersonDialog& dialog) {
    const Person& p = store.personTable[dialog.rin()];
    EXPECT_EQ(p.sex, 'M');
    EXPECT_EQ(dialog.Text(kSexField), "M");
    EXPECT_STREQ(p.surname, "Maier");
    EXPECT_EQ(dialog.Text(kSurnameField), "Maier");
    EXPECT_FALSE(p.flags & PresentFlag);  // tentative while open
    return Saved("Johann")(dialog);
  });
  EXPECT_EQ(AddNewFather(session, karl), 3);
  EXPECT_EQ(dialogs.titles.back(), "VATER HINZUFÜGEN ZU: [2] Karl Maier");
  EXPECT_EQ(store.familyTable[motherOnly].husband, 3);
  EXPECT_EQ(Of(store.familyTable[motherOnly].children), Links{karl});
  EXPECT_EQ(Log(), "Neuer Vater für rin=2, mrin=1\n[3] Johann Maier \r\n");

  // A mother whose dialog got a marriage: that family becomes the child's too.
  const Rin paul = NewPerson(store, "Paul", "Roth", 'M');
  dialogs.QueueEdit([this](PersonDialog& dialog) {
    EXPECT_EQ(store.personTable[dialog.rin()].surname, nullptr);
    return Saved("Lena", "Roth", 1870)(dialog);
  });
  EXPECT_EQ(AddNewMother(session, paul), 5);
  EXPECT_EQ(store.FamilyCount(), 2);
  EXPECT_EQ(store.familyTable[2].wife, 5);
  EXPECT_EQ(Of(store.personTable[paul].famc), Links{2});
}

}  // namespace
}  // namespace korvane::edit_test
