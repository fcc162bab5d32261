#include "editing/completion.h"

#include "edit_fixture.h"

namespace korvane::edit_test {
namespace {

using store_test::Event;
using store_test::NewPerson;
using store_test::SetEvent;
using Words = std::vector<std::string>;

// The field as a widget shows it after each key.
FieldText Type(PersonDialog& dialog, int id, FieldText field, std::u32string keys) {
  for (const char32_t key : keys) field = dialog.CharacterTyped(id, field, key);
  return field;
}

using CompletionTest = EditTest;

TEST_F(CompletionTest, GivenNamesCompleteFromTheListOfTheSexInTheField) {
  completions.mensNames = {"Jürgen", "Johann", "Karl", "jakob"};
  completions.womensNames = {"Anna"};
  const Rin rin = NewPerson(store, nullptr, "Roth", 'M');
  PersonDialog dialog(session, completions, rin);

  // The most recent entry first; a lower-case word capitalises the entry.
  FieldText field = Type(dialog, kGivenNamesField, {}, U"j");
  EXPECT_EQ(field.text, "Jakob ");
  EXPECT_EQ(completions.mensNames[3], "Jakob");
  field = Type(dialog, kGivenNamesField, field, U"o");
  EXPECT_EQ(field.text, "Johann ");
  EXPECT_EQ(field.selectionStart, 2);
  EXPECT_EQ(field.selectionLength, 5);
  EXPECT_EQ(dialog.Text(kGivenNamesField), "Johann ");
  EXPECT_EQ(completions.mensNames[1], "Johann");

  // The next word; umlauts are one character.
  field = Type(dialog, kGivenNamesField, {"Johann ", 7, 0}, U"Jü");
  EXPECT_EQ(field.text, "Johann Jürgen ");
  EXPECT_EQ(field.selectionStart, 9);
  EXPECT_EQ(field.selectionLength, 5);
  // Case counts beyond the first letter; no completion in the middle of the text.
  EXPECT_EQ(Type(dialog, kGivenNamesField, {}, U"JO").text, "JO");
  EXPECT_EQ(Type(dialog, kGivenNamesField, {"Karl", 0, 0}, U"J").text, "JKarl");

  // Backspace takes the completion away and completes nothing.
  field = dialog.BackspaceTyped(kGivenNamesField, {"Jürgen ", 2, 5});
  EXPECT_EQ(field.selectionStart, 2);
  EXPECT_EQ(field.text, "Jü");
  field = dialog.BackspaceTyped(kGivenNamesField, field);
  EXPECT_EQ(field.text, "J");
  EXPECT_EQ(field.selectionStart, 1);

  // The list follows the sex field.
  EXPECT_EQ(Type(dialog, kGivenNamesField, {}, U"A").text, "A");
  dialog.SexKeyTyped(U'w');
  EXPECT_EQ(Type(dialog, kGivenNamesField, {}, U"A").text, "Anna ");
  dialog.SexKeyTyped(U'u');
  EXPECT_EQ(Type(dialog, kGivenNamesField, {}, U"K").text, "Karl ");
}

TEST_F(CompletionTest, UsedNamesAndPlacesAreRecorded) {
  completions.mensNames = {"Anton", "Berthold", "Carl"};
  const Rin rin = NewPerson(store, "Fritz", "Roth", 0);  // unknown: the men's list
  PersonDialog dialog(session, completions, rin);
  // A typed space records the word before it.
  Type(dialog, kGivenNamesField, {"Be", 2, 0}, U" ");
  EXPECT_EQ(completions.mensNames, (Words{"Anton", "Carl", "Berthold"}));
  Type(dialog, kGivenNamesField, {"Dieter", 6, 0}, U" ");
  EXPECT_EQ(completions.mensNames, (Words{"Dieter", "Carl", "Berthold"}));
  // Leaving the field records its last word.
  dialog.SetText(kGivenNamesField, "Hans Carl  ");
  dialog.FieldLeft(kGivenNamesField);
  EXPECT_EQ(completions.mensNames, (Words{"Dieter", "Berthold", "Carl"}));

  Words list;
  editing::RecordUse(list, "");
  EXPECT_TRUE(list.empty());
  editing::RecordUse(list, "Ulm");
  EXPECT_EQ(list, Words{"Ulm"});
  EXPECT_EQ(editing::LastWord("  "), "");
  EXPECT_EQ(editing::LastWord("Anna Maria "), "Maria");

  // Places: the whole text, as it stands, without a trailing space.
  completions.places = {"Bad Tölz", "Ulm"};
  FieldText place = Type(dialog, kBirthPlaceField, {}, U"Bad T");
  EXPECT_EQ(place.text, "Bad Tölz");
  EXPECT_EQ(place.selectionStart, 5);
  EXPECT_EQ(place.selectionLength, 3);
  EXPECT_EQ(Type(dialog, kBirthPlaceField, {}, U"u").text, "u");
  dialog.SetText(kDeathPlaceField, "Bad T");
  dialog.FieldLeft(kDeathPlaceField);
  EXPECT_EQ(completions.places, (Words{"Ulm", "Bad Tölz"}));
  // Other fields take characters as they come.
  EXPECT_EQ(Type(dialog, kSurnameField, {"Roth", 4, 0}, U"ü").text, "Rothü");
  EXPECT_EQ(Type(dialog, kRinField, {"1", 1, 0}, U"2").text, "1");
}

TEST_F(CompletionTest, ListsAreBuiltFromTheHighestRinDown) {
  const Rin many = NewPerson(store, "Anna  Maria Anna", "Roth", 'f');
  SetEvent(store, many, Event::Birth, {}, "Ulm");
  SetEvent(store, many, Event::Chr, {}, "Ulm");
  SetEvent(store, many, Event::Death, {}, "Bonn");
  SetEvent(store, many, Event::Burial, {}, "Köln");
  for (int i = 0; i < 18; ++i) {
    const Rin rin = NewPerson(store, "Hans", "Roth", 'M');
    SetEvent(store, rin, Event::Birth, {}, ("Ort " + std::to_string(i)).c_str());
  }
  const Rin unknown = NewPerson(store, "Kim", "Roth", 'U');
  SetEvent(store, unknown, Event::Birth, {}, "Aalen");
  const Rin nameless = NewPerson(store, nullptr, "Roth", 'M');
  SetEvent(store, nameless, Event::Birth, {}, "Nirgendwo");
  const Rin gone = NewPerson(store, "Gustav", "Roth", 'M');
  store.personTable[gone].flags = 0;

  completions.places = {"alt"};
  BuildCompletionLists(store, completions);
  ASSERT_EQ(completions.places.size(), 22u);  // a person's places go in together
  EXPECT_EQ(completions.places[0], "Aalen");
  EXPECT_EQ(completions.places[1], "Ort 17");
  EXPECT_EQ(completions.places[18], "Ort 0");
  EXPECT_EQ(completions.places.back(), "Köln");
  EXPECT_EQ(completions.womensNames, (Words{"Anna", "Maria"}));
  EXPECT_EQ(completions.mensNames, (Words{"Kim", "Hans"}));

  for (int i = 0; i < 120; ++i) NewPerson(store, ("N" + std::to_string(i)).c_str(), "Roth", 'M');
  BuildCompletionLists(store, completions);
  EXPECT_EQ(completions.mensNames.size(), 100u);
  EXPECT_EQ(completions.mensNames.front(), "N119");
}

}  // namespace
}  // namespace korvane::edit_test
