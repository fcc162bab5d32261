#include "editing/date_field.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewPerson;
using store_test::SetEvent;

TEST(DateFieldTest, ALeftFieldShowsTheDateCompletedFromThePreviousOne) {
  const std::string birth = "3 MAR 1850";
  const std::pair<const char*, const char*> cases[] = {
      {"12", "12 MAR 1850"},
      {"MAI", "MAI 1850"},
      {"mai", "MAI 1850"},
      {"12 Mai", "12 MAI 1850"},  // the day typed is kept
      {"12.3.1851", "12 MAR 1851"},
      {"ca. 1850", "UNG 1850"},
      {"vor 1850", "VOR 1850"},
      {"3.1850", "MAR 1850"},
      {"1700/1701", "1700/1701"},  // a date shown as it stands is read exactly
      {"UNG MAR 1851", "UNG MAR 1851"},
      {"12. März 1850", "12 MAR 1850"},
      {"  ", ""},
      {"", ""},
      {"xyz", "xyz"},  // nothing to show: kept as typed for the save to refuse
  };
  for (const auto& [typed, shown] : cases) {
    EXPECT_EQ(NormalisedDateText(typed, birth), shown) << typed;
  }
  // A bare day needs a month and a year to go with it.
  EXPECT_EQ(NormalisedDateText("12", ""), "12");
  EXPECT_EQ(NormalisedDateText("12", "1850"), "12");
  EXPECT_EQ(NormalisedDateText("12", "12"), "12");
  EXPECT_EQ(NormalisedDateText("MAI", ""), "MAI");
  EXPECT_EQ(NormalisedDateText("12", "UNG MAR 1850"), "UNG 12 MAR 1850");
}

TEST(DateFieldTest, TheSaveRefusesWhatIsNoDate) {
  for (const char* text : {"", "  ", "12 MAR 1850", "MAI 1850", "MAI", "UNG 1850", "1700/1701",
                           "1850", "29 FEB 1851"}) {
    EXPECT_TRUE(IsStorableDateText(text)) << text;
  }
  for (const char* text : {"12", "UNG 12", "xyz", "31 APR 1850", "13 1850", "1 JAN 2101"}) {
    EXPECT_FALSE(IsStorableDateText(text)) << text;
  }
}

using DateDialogTest = EditTest;

TEST_F(DateDialogTest, TypedDatesAreCompletedShownAndStored) {
  const Rin anna = NewPerson(store, "Anna", "Roth", 'F');
  SetEvent(store, anna, Event::Birth, Date(1850, 3, 3));
  PersonDialog dialog(session, completions, anna);
  FieldText field{"", 0, 0};
  field = dialog.CharacterTyped(kChrDateField, field, U'1');
  field = dialog.CharacterTyped(kChrDateField, field, U'2');
  EXPECT_EQ(field.text, "12");
  dialog.FieldLeft(kChrDateField);
  EXPECT_EQ(dialog.Text(kChrDateField), "12 MAR 1850");
  dialog.FieldLeft(kChrDateField);  // left again: stays
  EXPECT_EQ(dialog.Text(kChrDateField), "12 MAR 1850");
  // Saved without leaving the field, as the command line does.
  dialog.SetText(kDeathDateField, "MAI");
  EXPECT_TRUE(dialog.Save());
  const Person& p = store.personTable[anna];
  EXPECT_EQ(p.chrDate, Date(1850, 3, 12));
  EXPECT_EQ(p.deathDate, Date(1850, 5));  // from the christening above it
  EXPECT_TRUE(Has(anna, HasChrDateFlag | HasDeathDateFlag | ChangedFlag));

  // Emptied, a date goes with its bit.
  PersonDialog cleared(session, completions, anna);
  cleared.SetText(kDeathDateField, "");
  EXPECT_TRUE(cleared.Save());
  EXPECT_EQ(p.deathDate.bits, 0u);
  EXPECT_FALSE(Has(anna, HasDeathDateFlag));
}

TEST_F(DateDialogTest, ADateThatIsNoneKeepsTheDialogOpenAndChangesNothing) {
  const Rin karl = NewPerson(store, "Karl", "Roth", 'M');
  const auto rows = test::StoreRows(store);
  const std::uint32_t flags = store.personTable[karl].flags;
  PersonDialog dialog(session, completions, karl);
  dialog.SetText(kGivenNamesField, "Karl Heinz");
  dialog.SetText(kChrDateField, "12");
  dialog.FieldLeft(kChrDateField);
  EXPECT_EQ(dialog.Text(kChrDateField), "12");
  EXPECT_FALSE(dialog.Save());
  EXPECT_EQ(LastBox().text, "Ungültiges Datum: 12");
  EXPECT_EQ(dialog.FocusField(), kChrDateField);
  EXPECT_EQ(test::StoreRows(store), rows);
  EXPECT_EQ(store.personTable[karl].flags, flags);

  dialog.SetText(kChrDateField, "31.4.1850");
  EXPECT_FALSE(dialog.Save());
  EXPECT_EQ(LastBox().text, "Ungültiges Datum: 31 APR 1850");
  dialog.SetText(kChrDateField, "30.4.1850");
  dialog.SetText(kMarriageDateField, "xyz");
  EXPECT_FALSE(dialog.Save());
  EXPECT_EQ(LastBox().text, "Ungültiges Datum: xyz");
  EXPECT_EQ(store.FamilyCount(), 0);
  dialog.SetText(kMarriageDateField, "");
  EXPECT_TRUE(dialog.Save());
  EXPECT_EQ(store.personTable[karl].chrDate, Date(1850, 4, 30));
}

}  // namespace
}  // namespace korvane::edit_test
