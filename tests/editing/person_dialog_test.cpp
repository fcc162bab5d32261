#include "editing/person_dialog.h"

#include "edit_fixture.h"
#include "editing/dispatch_edit_command.h"

namespace korvane::edit_test {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

// The bytes of every record: text pointers, link lists and unused bits included.
std::vector<std::string> RecordBytes(const Store& store) {
  std::vector<std::string> bytes;
  for (const Person& p : store.personTable) {
    bytes.emplace_back(reinterpret_cast<const char*>(&p), sizeof p);
  }
  for (const Family& f : store.familyTable) {
    bytes.emplace_back(reinterpret_cast<const char*>(&f), sizeof f);
  }
  return bytes;
}

class PersonDialogTest : public EditTest {
 protected:
  PersonDialogTest() {
    johann = NewPerson(store, "Johann", "Maier", 'M');
    eva = NewPerson(store, "Eva", "Huber", 'F');
    SetEvent(store, johann, Event::Birth, Date(1850, 3, 3), "Ulm");
    SetEvent(store, johann, Event::Chr, PackedDate::Make(1850, 0, 0, kAbout));
    SetEvent(store, eva, Event::Birth, Date(1855));
    SetEvent(store, eva, Event::Death, Date(1901));
    family = NewFamily(store, johann, eva, {}, Date(1875, 5, 12), "Ulm");
  }

  const Person& P(Rin rin) const { return store.personTable[rin]; }

  Rin johann = 0;
  Rin eva = 0;
  Mrin family = 0;
};

TEST_F(PersonDialogTest, OpeningShowsTheRecordAndTheFamilyAtTheCurrentIndex) {
  state.currentFamilyIndex = 3;  // beyond the list: the first family
  PersonDialog dialog(session, completions, johann);
  EXPECT_FALSE(dialog.ClosedAtOnce());
  EXPECT_EQ(dialog.Title(), "PERSON BEARBEITEN");
  EXPECT_EQ(state.currentFamilyIndex, 3);  // the views' index is theirs
  EXPECT_EQ(dialog.Text(kRinField), "1");
  EXPECT_EQ(dialog.Text(kSexField), "M");
  EXPECT_EQ(dialog.Text(kGivenNamesField), "Johann");
  EXPECT_EQ(dialog.Text(kSurnameField), "Maier");
  EXPECT_EQ(dialog.Text(kBirthDateField), "3 MAR 1850");
  EXPECT_EQ(dialog.Text(kBirthPlaceField), "Ulm");
  EXPECT_EQ(dialog.Text(kChrDateField), "UNG 1850");
  EXPECT_EQ(dialog.Text(kDeathDateField), "");
  EXPECT_EQ(dialog.Text(kMarriageDateField), "12 MAI 1875");
  EXPECT_EQ(dialog.Text(kMarriagePlaceField), "Ulm");
  EXPECT_EQ(dialog.Text(kSpouseField), "Eva Huber 1855 -1901 ");
  EXPECT_EQ(dialog.Text(9999), "");
  EXPECT_TRUE(dialog.HasFamily());
  EXPECT_FALSE(dialog.Divorced());
  EXPECT_EQ(dialog.FocusField(), kGivenNamesField);

  // Without a family the marriage starts empty; the title is the one set for it.
  const Rin karl = NewPerson(store, "Karl", nullptr, 'm');
  state.pendingDialogTitle = "KIND HINZUFÜGEN ZU: [1] Johann Maier";
  PersonDialog single(session, completions, karl);
  EXPECT_EQ(single.Title(), "KIND HINZUFÜGEN ZU: [1] Johann Maier");
  EXPECT_FALSE(single.HasFamily());
  EXPECT_EQ(single.Text(kSexField), "m");
  EXPECT_EQ(single.Text(kSurnameField), "");
  EXPECT_EQ(single.Text(kMarriageDateField), "");
  EXPECT_EQ(single.Text(kSpouseField), "");

  // An unknown sex shows nothing, whatever letter the file had.
  for (const char sex : {'\0', 'U', '?', 'x'}) {
    store.personTable[karl].sex = sex;
    EXPECT_EQ(PersonDialog(session, completions, karl).Text(kSexField), "");
  }

  // No record to edit: the dialog closes at once and nothing is made.
  for (const Rin rin : {0, -1, 4, 1000}) {
    PersonDialog none(session, completions, rin);
    EXPECT_TRUE(none.ClosedAtOnce());
    EXPECT_FALSE(none.Save());
    EXPECT_FALSE(EditPersonInDialog(session, rin));
  }
  EXPECT_EQ(store.PersonCount(), 3);
  EXPECT_TRUE(dialogs.titles.empty());
}

TEST_F(PersonDialogTest, ArrowKeysMoveTheFocusByTheTable) {
  PersonDialog dialog(session, completions, johann);
  const std::pair<int, int> up[] = {{kSexField, kMarriagePlaceField},
                                    {kBirthPlaceField, kSurnameField},
                                    {kChrPlaceField, kBirthPlaceField},
                                    {kSpouseField, kMarriagePlaceField}};
  for (const auto& [from, to] : up) EXPECT_EQ(dialog.NextField(from, true), to) << from;
  const std::pair<int, int> down[] = {{kSexField, kGivenNamesField},
                                      {kBirthDateField, kChrDateField},
                                      {kMarriageDateField, kMarriagePlaceField},
                                      {kMarriagePlaceField, kBirthPlaceField},
                                      {kSpouseField, kSurnameField}};
  for (const auto& [from, to] : down) EXPECT_EQ(dialog.NextField(from, false), to) << from;
  EXPECT_EQ(dialog.FocusField(), kSurnameField);
  EXPECT_EQ(dialog.NextField(kRinField, false), kRinField);
}

TEST_F(PersonDialogTest, SexKeysShowOneLetterAndMoveOn) {
  PersonDialog dialog(session, completions, eva);
  dialog.NextField(kGivenNamesField, false);
  const std::pair<char32_t, const char*> keys[] = {{U'W', "F "}, {U'f', "F "}, {U'm', "M "},
                                                   {U'n', "U "}, {U'?', "U "}, {U'u', "U "}};
  for (const auto& [key, shown] : keys) {
    EXPECT_EQ(dialog.SexKeyTyped(key), kGivenNamesField);
    EXPECT_EQ(dialog.Text(kSexField), shown);
  }
  EXPECT_TRUE(ui.Boxes().empty());
  dialog.SexKeyTyped(U'x');
  EXPECT_EQ(LastBox().text, "Geschlecht muss M, F oder U sein");
  EXPECT_EQ(dialog.Text(kSexField), "F ");
  // Typed like any character, a key of the sex field does the same.
  const FieldText shown = dialog.CharacterTyped(kSexField, {"F ", 0, 2}, U'M');
  EXPECT_EQ(shown.text, "M ");
  EXPECT_EQ(dialog.Text(kSexField), "M ");
}

TEST_F(PersonDialogTest, OpeningAndSavingWithoutAChangeKeepsEveryBit) {
  // Texts and dates as a file may bring them, none of which the dialog could write back.
  const std::string longName(400, 'x');
  const std::string longPlace = "Sankt " + std::string(300, 'u') + "ü";
  const Rin odd = NewPerson(store, longName.c_str(), "  Roth, ", 'U');
  const Rin none = NewPerson(store, "\"Hans\", Peter  ", nullptr, 0);
  Person& p = store.personTable[odd];
  p.birthPlace = InternText(store.texts, TextPoolId::Places, longPlace);
  p.birthDate = Date(0, 0, 12);  // a day alone: no text
  p.chrDate.bits = Date(1850, 4, 31).bits | PackedDate::kParseFailedBit;
  p.deathDate = Date(1700, 0, 0);
  p.deathDate.SetSecondYearOffset(1);               // 1700/1701
  p.burialDate = Date(0, 3);                        // a month without year...
  p.flags |= HasBurialDateFlag | HasBirthDateFlag;  // ...marked as a date, as loaded
  p.recordOffset = 4711;
  const Mrin oddFamily = NewFamily(store, 0, odd, {none}, PackedDate::Make(1870, 15, 0, 6));
  store.familyTable[oddFamily].flags |= DivorcedFlag;
  store.personTable[none].flags |= ChangedFlag;
  const auto before = RecordBytes(store);

  for (const Rin rin : {johann, eva, odd, none}) {
    PersonDialog dialog(session, completions, rin);
    // The user walks through every field and saves.
    for (const PersonField& field : PersonFields()) dialog.FieldLeft(field.id);
    for (const PersonField& field : PersonFields()) dialog.NextField(field.id, false);
    EXPECT_TRUE(dialog.Save()) << rin;
  }
  EXPECT_EQ(RecordBytes(store), before);

  // Texts given back as they are shown change nothing either.
  PersonDialog dialog(session, completions, johann);
  for (const int id : {kSexField, kGivenNamesField, kSurnameField, kBirthDateField,
                       kBirthPlaceField, kChrDateField, kMarriageDateField}) {
    dialog.SetText(id, dialog.Text(id));
    dialog.FieldLeft(id);
  }
  dialog.SetText(kBirthDateField, "3 Mar 1850");  // read as the date stored
  EXPECT_TRUE(dialog.Save());
  EXPECT_EQ(RecordBytes(store), before);
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(PersonDialogTest, SavingStoresTheEditedFieldsWholeAndCleansTheGivenNames) {
  const std::string longPlace = "Groß " + std::string(250, 'o') + "dorf";
  PersonDialog dialog(session, completions, johann);
  dialog.SetText(kGivenNamesField, "  \"Hans\" Peter, Paul  ");
  dialog.SetText(kSurnameField, "Müller-Lüdenscheidt");
  dialog.SetText(kBirthPlaceField, longPlace);
  dialog.SetText(kDeathDateField, "12.3.1900");
  dialog.SetText(kMarriagePlaceField, "");
  const int waits = sortWaits;
  EXPECT_TRUE(dialog.Save());
  EXPECT_GT(sortWaits, waits);
  EXPECT_STREQ(P(johann).givenNames, "Hans Peter Paul");
  EXPECT_STREQ(P(johann).surname, "Müller-Lüdenscheidt");
  EXPECT_EQ(P(johann).birthPlace, longPlace);
  EXPECT_EQ(P(johann).deathDate, Date(1900, 3, 12));
  EXPECT_TRUE(Has(johann, ChangedFlag | HasDeathDateFlag));
  EXPECT_STREQ(store.familyTable[family].marriagePlace, "");
  EXPECT_FALSE(store.familyTable[family].flags & HasMarriagePlaceFlag);
  EXPECT_TRUE(store.familyTable[family].flags & ChangedFlag);

  const std::pair<const char*, const char*> quoted[] = {
      {"\"Hans\"", "Hans"}, {"\"Hans\"Peter", "Hans Peter"}, {"\"Hans", "Hans"}, {",,", ""}};
  for (const auto& [typed, stored] : quoted) {
    PersonDialog again(session, completions, eva);
    again.SetText(kGivenNamesField, typed);
    EXPECT_TRUE(again.Save()) << typed;
    EXPECT_STREQ(P(eva).givenNames, stored);
  }
  // Eva has her surname still; without it too, nothing is saved.
  PersonDialog nameless(session, completions, eva);
  nameless.SetText(kSurnameField, " ");
  nameless.SetText(kBirthPlaceField, "Ulm");
  const auto before = RecordBytes(store);
  EXPECT_FALSE(nameless.Save());
  EXPECT_EQ(LastBox().text, "Mindestens einen Namen angeben!");
  EXPECT_EQ(RecordBytes(store), before);
}

TEST_F(PersonDialogTest, AnUnknownSexStaysUnlessALetterIsTyped) {
  const Rin kim = NewPerson(store, "Kim", "Roth", 'U');
  const Rin lou = NewPerson(store, "Lou", "Roth", 0);
  const Rin karl = NewPerson(store, "Karl", "Roth", 'm');
  NewFamily(store, karl, kim);
  const auto before = RecordBytes(store);
  for (const Rin rin : {kim, lou}) {
    PersonDialog dialog(session, completions, rin);
    dialog.SetText(kSexField, "");
    EXPECT_TRUE(dialog.Save());
    PersonDialog typed(session, completions, rin);
    typed.SexKeyTyped(U'u');
    EXPECT_TRUE(typed.Save());
  }
  PersonDialog man(session, completions, karl);
  man.SexKeyTyped(U'M');  // "m" is a man already
  EXPECT_TRUE(man.Save());
  EXPECT_EQ(RecordBytes(store), before);
  EXPECT_TRUE(ui.Boxes().empty());

  // A known sex is not turned unknown.
  PersonDialog unknown(session, completions, eva);
  unknown.SexKeyTyped(U'?');
  EXPECT_TRUE(unknown.Save());
  EXPECT_EQ(LastBox().text, "Falsches Geschlecht 'U' ignoriert");
  EXPECT_EQ(P(eva).sex, 'F');

  // Typing a sex swaps the roles in the families.
  PersonDialog woman(session, completions, kim);
  woman.SexKeyTyped(U'm');
  EXPECT_TRUE(woman.Save());
  EXPECT_EQ(P(kim).sex, 'M');
  EXPECT_EQ(P(karl).sex, 'F');
  EXPECT_EQ(store.familyTable[2].husband, kim);
  EXPECT_EQ(store.familyTable[2].wife, karl);
  EXPECT_TRUE(Has(kim, ChangedFlag | HasSexFlag) && Has(karl, ChangedFlag));
}

TEST_F(PersonDialogTest, AMarriageTypedWithoutAFamilyMakesOne) {
  const Rin karl = NewPerson(store, "Karl", "Roth", 'm');
  const Rin kim = NewPerson(store, "Kim", "Roth", 'U');
  PersonDialog dialog(session, completions, karl);
  dialog.SetText(kMarriagePlaceField, "Ulm");
  dialog.DivorcedClicked(true);  // nothing to mark yet
  EXPECT_EQ(store.FamilyCount(), 1);
  EXPECT_TRUE(dialog.Save());
  ASSERT_EQ(store.FamilyCount(), 2);
  const Family& made = store.familyTable[2];
  EXPECT_EQ(made.husband, karl);
  EXPECT_EQ(made.wife, 0);
  EXPECT_EQ(made.flags &
                (PresentFlag | ChangedFlag | DivorcedFlag | HasHusbandFlag | HasMarriagePlaceFlag),
            PresentFlag | ChangedFlag | DivorcedFlag | HasHusbandFlag | HasMarriagePlaceFlag);
  EXPECT_EQ(Of(P(karl).fams), Links{2});
  EXPECT_TRUE(Has(karl, ChangedFlag));

  PersonDialog other(session, completions, kim);
  other.SetText(kMarriageDateField, "1880");
  EXPECT_TRUE(other.Save());
  EXPECT_EQ(store.familyTable[3].wife, kim);
  EXPECT_EQ(store.familyTable[3].marriageDate, Date(1880));
  EXPECT_TRUE(store.familyTable[3].flags & HasMarriageDateFlag);

  // Blanks are no marriage.
  const Rin lou = NewPerson(store, "Lou", "Roth", 'F');
  PersonDialog blank(session, completions, lou);
  blank.SetText(kMarriagePlaceField, "  ");
  EXPECT_TRUE(blank.Save());
  EXPECT_EQ(store.FamilyCount(), 3);
}

TEST_F(PersonDialogTest, TheDivorcedBoxMarksTheFamilyAtOnceWithItsOwnBit) {
  store.familyTable[family].flags &= ~ChangedFlag;
  PersonDialog dialog(session, completions, eva);
  dialog.DivorcedClicked(false);  // as it was: no change
  EXPECT_EQ(store.familyTable[family].flags & (DivorcedFlag | ChangedFlag), 0u);
  dialog.DivorcedClicked(true);
  EXPECT_TRUE(dialog.Divorced());
  EXPECT_EQ(store.familyTable[family].flags & (DivorcedFlag | ChangedFlag),
            DivorcedFlag | ChangedFlag);
  dialog.DivorcedClicked(false);
  EXPECT_EQ(store.familyTable[family].flags & (DivorcedFlag | ChangedFlag), ChangedFlag);
  EXPECT_TRUE(dialog.Save());
  EXPECT_TRUE(store.familyTable[family].flags & ChangedFlag);  // never cleared by a save

  PersonDialog reopened(session, completions, johann);
  reopened.DivorcedClicked(true);
  EXPECT_TRUE(PersonDialog(session, completions, eva).Divorced());
}

TEST_F(PersonDialogTest, TheLinkOperationsGoThroughTheRealSave) {
  // A person just made for the dialog, refused for want of a name, then saved.
  dialogs.QueueEdit([](PersonDialog& dialog) {
    EXPECT_FALSE(dialog.Save());
    return Saved("Paul", nullptr, 1890)(dialog);
  });
  ui.QueueAnswer(kYes);
  DispatchEditCommand(session, kNewPersonCommand, 0);
  const Rin paul = store.PersonCount();
  EXPECT_EQ(ui.Boxes().front().text, "Mindestens einen Namen angeben!");
  EXPECT_EQ(P(paul).sex, 'M');
  EXPECT_TRUE(Has(paul, PresentFlag | HasGivenNamesFlag));
  EXPECT_EQ(P(paul).fams.Count(), 1);
}

}  // namespace
}  // namespace korvane::edit_test
