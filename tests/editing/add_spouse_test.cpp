#include "editing/add_spouse.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::NewFamily;
using store_test::NewPerson;

using AddSpouseTest = EditTest;

TEST_F(AddSpouseTest, SexRulesReadLettersOfEitherCaseAndRefuseWithoutChange) {
  const Rin anna = NewPerson(store, "Anna", "Maier", 'F');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin kim = NewPerson(store, "Kim", "Roth", 'U');
  const Rin karl = NewPerson(store, "Karl", "Roth", 'm');
  const Rin lena = NewPerson(store, "Lena", "Roth", 'f');
  const auto rows = test::StoreRows(store);

  EXPECT_EQ(AddSpouse(session, anna, eva), 0);
  EXPECT_EQ(LastBox().text, "Person [2] muss männlich sein");
  EXPECT_EQ(AddSpouse(session, kim, anna), 0);
  EXPECT_EQ(LastBox().text, "Person [3] muss männlich oder weiblich sein");
  EXPECT_EQ(AddSpouse(session, karl, karl), 0);
  EXPECT_EQ(LastBox().text, "Person [4] kann nicht mit sich selbst verbunden werden");
  EXPECT_EQ(AddSpouse(session, karl, 99), 0);
  EXPECT_EQ(LastBox().text, "Person [99] gibt es nicht");
  EXPECT_EQ(AddSpouse(session, karl, 0), 0);
  EXPECT_EQ(ui.Boxes().size(), 4u);
  EXPECT_EQ(test::StoreRows(store), rows);
  EXPECT_EQ(store.FamilyCount(), 0);
  EXPECT_EQ(Log(), "");

  // "m" is a man and stays husband; "f" a woman.
  EXPECT_EQ(AddSpouse(session, karl, lena), lena);
  EXPECT_EQ(store.familyTable[1].husband, karl);
  EXPECT_EQ(store.familyTable[1].wife, lena);
  EXPECT_TRUE(Has(karl, ChangedFlag) && Has(lena, ChangedFlag));
  EXPECT_EQ(Log(),
            "Neue FAMS mrin 1 für [4] Karl Roth \r\n"
            "Ehefrau hinzugefügt zu rin 4 mrin 1\n[5] Lena Roth \r\n");
  EXPECT_GT(sortWaits, 0);
}

TEST_F(AddSpouseTest, FillsAFamilyWithoutPartnerButNeverMakesAParentOfAnAncestor) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin marie = NewPerson(store, "Marie", "Maier", 'F');
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin married = NewFamily(store, johann, 0, {marie});

  EXPECT_EQ(AddSpouse(session, johann, marie), 0);  // his daughter in that very family
  EXPECT_EQ(LastBox().text, "Person [2] wäre dann ihr eigener Vorfahr");
  EXPECT_EQ(store.familyTable[married].wife, 0);

  EXPECT_EQ(AddSpouse(session, johann, eva), eva);
  EXPECT_EQ(store.FamilyCount(), 1);
  EXPECT_EQ(store.familyTable[married].wife, eva);
  EXPECT_EQ(Of(store.personTable[johann].fams), Links{married});
}

TEST_F(AddSpouseTest, NewSpouseIsMadeInTheDialogAndGoesAgainOnCancel) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin kim = NewPerson(store, "Kim", nullptr, '?');
  const auto rows = test::StoreRows(store);

  EXPECT_FALSE(AddNewSpouse(session, kim, 0));
  EXPECT_EQ(LastBox().text, "Person [2] muss männlich oder weiblich sein");
  dialogs.QueueCancel();
  EXPECT_FALSE(AddNewSpouse(session, johann, 0));
  EXPECT_EQ(dialogs.titles.back(), "EHEPARTNER HINZUFÜGEN ZU: [1] Johann Maier");
  EXPECT_EQ(test::StoreRows(store), rows);

  dialogs.QueueEdit(Saved("Eva", "Huber"));
  EXPECT_TRUE(AddNewSpouse(session, johann, 0));
  const Rin eva = 3;
  EXPECT_EQ(store.personTable[eva].sex, 'F');
  EXPECT_TRUE(Has(eva, PresentFlag));
  EXPECT_EQ(store.personTable[eva].recordOffset, 0u);
  EXPECT_EQ(store.familyTable[1].husband, johann);
  EXPECT_EQ(store.familyTable[1].wife, eva);
  EXPECT_EQ(Log(),
            "Neue FAMS mrin 1 für [1] Johann Maier \r\n"
            "Neue Ehefrau für rin=1, mrin=1\n[3] Eva Huber \r\n");
}

TEST_F(AddSpouseTest, AMarriageTypedForTheNewSpouseLandsInTheFamilyJoined) {
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  const Rin child = NewPerson(store, "Karl", "Huber", 'M');
  const Mrin family = NewFamily(store, 0, eva, {child});

  dialogs.QueueEdit(Saved("Johann", "Maier", 1850));
  EXPECT_TRUE(AddNewSpouse(session, eva, 0));
  EXPECT_EQ(store.FamilyCount(), 1);  // the dialog's own family went again
  EXPECT_EQ(store.familyTable[family].husband, 3);
  EXPECT_EQ(store.familyTable[family].marriageDate.Year(), 1850);

  // Without a family to join, the dialog's family is the marriage.
  dialogs.QueueEdit(Saved("Paul", "Roth", 1860));
  EXPECT_TRUE(AddNewSpouse(session, eva, 0));
  EXPECT_EQ(store.FamilyCount(), 2);
  EXPECT_EQ(store.familyTable[2].husband, 4);
  EXPECT_EQ(Of(store.personTable[eva].fams), (Links{family, 2}));
}

}  // namespace
}  // namespace korvane::edit_test
