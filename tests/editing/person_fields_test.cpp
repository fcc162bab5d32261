#include "editing/person_fields.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::NewFamily;
using store_test::NewPerson;

using PersonFieldsTest = EditTest;

TEST_F(PersonFieldsTest, SetSexSwapsTheRolesInTheFamilies) {
  const Rin anna = NewPerson(store, "Anna", "Roth", 'f');
  const Rin karl = NewPerson(store, "Karl", "Roth", 'M');
  const Rin eva = NewPerson(store, "Eva", "Roth", 'F');
  const Mrin couple = NewFamily(store, karl, anna);
  const Mrin alone = NewFamily(store, 0, anna);
  const Mrin other = NewFamily(store, karl, eva);

  EXPECT_FALSE(SetSex(session, anna, 'w'));  // a woman already, kept as "f"
  EXPECT_EQ(store.personTable[anna].sex, 'f');
  EXPECT_FALSE(Has(anna, ChangedFlag));

  EXPECT_TRUE(SetSex(session, anna, 'm'));
  EXPECT_EQ(store.personTable[anna].sex, 'M');
  EXPECT_EQ(store.personTable[karl].sex, 'F');
  EXPECT_EQ(store.familyTable[couple].husband, anna);
  EXPECT_EQ(store.familyTable[couple].wife, karl);
  EXPECT_EQ(store.familyTable[alone].husband, anna);
  EXPECT_EQ(store.familyTable[alone].wife, 0);
  EXPECT_EQ(store.familyTable[alone].flags & (HasHusbandFlag | HasWifeFlag | ChangedFlag),
            HasHusbandFlag | ChangedFlag);
  // A family the person is not a spouse of in the other place stays.
  EXPECT_EQ(store.familyTable[other].husband, karl);
  EXPECT_TRUE(Has(anna, ChangedFlag) && Has(karl, ChangedFlag));

  EXPECT_FALSE(SetSex(session, eva, 'x'));
  EXPECT_EQ(LastBox().text, "Falsches Geschlecht 'X' ignoriert");
  EXPECT_EQ(store.personTable[eva].sex, 'F');
  EXPECT_FALSE(SetSex(session, 99, 'M'));
}

TEST_F(PersonFieldsTest, SetEventTextChangesOnlyWhatDiffers) {
  const Rin anna = NewPerson(store, "Anna", nullptr, 'F');
  Person& p = store.personTable[anna];
  EXPECT_FALSE(
      SetEventText(store.texts, TextPoolId::Surnames, p.surname, p.flags, "", HasSurnameFlag));
  EXPECT_EQ(p.surname, nullptr);
  EXPECT_FALSE(SetEventText(store.texts, TextPoolId::GivenNames, p.givenNames, p.flags, "Anna",
                            HasGivenNamesFlag));
  EXPECT_FALSE(Has(anna, ChangedFlag));
  // What the pool would clean away is no change either.
  EXPECT_FALSE(SetEventText(store.texts, TextPoolId::GivenNames, p.givenNames, p.flags, "  Anna",
                            HasGivenNamesFlag));
  EXPECT_TRUE(SetEventText(store.texts, TextPoolId::Places, p.birthPlace, p.flags, "Köln",
                           HasBirthPlaceFlag));
  EXPECT_STREQ(p.birthPlace, "Köln");
  EXPECT_TRUE(Has(anna, HasBirthPlaceFlag | ChangedFlag));
  EXPECT_TRUE(
      SetEventText(store.texts, TextPoolId::Places, p.birthPlace, p.flags, "", HasBirthPlaceFlag));
  EXPECT_FALSE(Has(anna, HasBirthPlaceFlag));
  EXPECT_STREQ(p.birthPlace, "");
}

TEST(CleanGivenNamesTest, QuotesCommasAndBlanks) {
  EXPECT_EQ(CleanGivenNames(" \t\"Hans\" Peter,Paul  "), "Hans PeterPaul");
  EXPECT_EQ(CleanGivenNames("Hans \"Hannes\""), "Hans \"Hannes\"");
  EXPECT_EQ(CleanGivenNames("\"Hans\"Peter"), "Hans Peter");
  EXPECT_EQ(CleanGivenNames("   "), "");
}

}  // namespace
}  // namespace korvane::edit_test
