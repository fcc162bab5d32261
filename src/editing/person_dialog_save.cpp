// "SPEICHERN": only what the user edited is stored, so a record opened and saved without
// a change stays as it was, bit for bit, whatever the file had put into it.

#include "dates/format_date.h"
#include "editing/date_field.h"
#include "editing/person_dialog.h"
#include "editing/person_dialog_fields.h"
#include "editing/person_fields.h"
#include "editing/presence_flags.h"
#include "editing/record_edits.h"
#include "store/flags.h"
#include "store/set_event_date.h"
#include "store/sex.h"

namespace korvane {
namespace {

// A text that reads as the date stored already ("12 Mar 1850" for 12 MAR 1850) is no change.
template <typename Record>
bool StoreDate(Record& record, const EventRow& row, const std::string& text) {
  PackedDate date = DateOf(record, row);
  std::uint32_t flags = record.flags;
  SetEventDate(date, flags, text.c_str(), row.dateFlag);
  if (date == DateOf(record, row) && (flags & ~ChangedFlag) == (record.flags & ~ChangedFlag)) {
    return false;
  }
  DateOf(record, row) = date;
  record.flags = flags;
  return true;
}

template <typename Record>
bool StorePlace(TextPool& texts, Record& record, const EventRow& row, const std::string& text) {
  return SetEventText(texts, TextPoolId::Places, PlaceOf(record, row), record.flags, text,
                      row.placeFlag);
}

}  // namespace

bool PersonDialog::CheckNames() {
  const Person& person = session_.store.personTable[rin_];
  const FieldState& given = *Find(kGivenNamesField);
  const FieldState& surname = *Find(kSurnameField);
  const std::string givenText =
      given.edited ? CleanGivenNames(given.text) : editing::NameText(person.givenNames);
  const std::string surnameText = surname.edited ? surname.text : editing::NameText(person.surname);
  if (CleanPoolText(givenText).empty() && CleanPoolText(surnameText).empty()) {
    session_.diagnostics.ErrorBox("Mindestens einen Namen angeben!");
    focus_ = kGivenNamesField;
    return false;
  }
  return true;
}

bool PersonDialog::CheckDates() {
  const Store& store = session_.store;
  for (const EventRow& row : kEventRows) {
    const int id = editing::DateFieldOf(row);
    SettleDate(id);
    const FieldState& field = *Find(id);
    if (!field.edited) continue;
    const PackedDate current = row.ofFamily ? DateOf(store.FamilyRecord(family_), row)
                                            : DateOf(store.personTable[rin_], row);
    // A date shown as it stands is no change, even one the parser would refuse now.
    if (field.text == FormatDate(current, DateForm::DisplayForm)) continue;
    if (!IsStorableDateText(field.text)) {
      session_.diagnostics.ErrorBox("Ungültiges Datum: %s", field.text.c_str());
      focus_ = id;
      return false;
    }
  }
  return true;
}

bool PersonDialog::StoreFields() {
  Store& store = session_.store;
  bool changed = false;
  const FieldState& sex = *Find(kSexField);
  if (sex.edited && !sex.text.empty()) changed |= SetSex(session_, rin_, sex.text.front());

  Person& person = store.personTable[rin_];
  if (const FieldState& given = *Find(kGivenNamesField); given.edited) {
    changed |= SetEventText(store.texts, TextPoolId::GivenNames, person.givenNames, person.flags,
                            CleanGivenNames(given.text), HasGivenNamesFlag);
  }
  if (const FieldState& surname = *Find(kSurnameField); surname.edited) {
    changed |= SetEventText(store.texts, TextPoolId::Surnames, person.surname, person.flags,
                            surname.text, HasSurnameFlag);
  }
  for (const EventRow& row : EventRowsOf<Person>()) {
    if (const FieldState& date = *Find(editing::DateFieldOf(row)); date.edited) {
      changed |= StoreDate(person, row, date.text);
    }
    if (const FieldState& place = *Find(editing::PlaceFieldOf(row)); place.edited) {
      changed |= StorePlace(store.texts, person, row, place.text);
    }
  }
  return changed;
}

bool PersonDialog::StoreMarriage() {
  Store& store = session_.store;
  const EventRow& marriage = EventRowOf(EventKind::Marriage);
  const FieldState& date = *Find(kMarriageDateField);
  const FieldState& place = *Find(kMarriagePlaceField);
  bool changed = false;
  if (family_ == 0) {
    if (date.text.empty() && CleanPoolText(place.text).empty()) return false;
    // A marriage typed for a person without one makes the family, with the person in it.
    family_ = editing::CreateFamily(store);
    Family& family = store.familyTable[family_];
    family.flags |= ChangedFlag;
    (IsMale(store.personTable[rin_].sex) ? family.husband : family.wife) = rin_;
    ListAppend(store.personTable[rin_].fams, family_);
    store.personTable[rin_].flags |= ChangedFlag;
    changed = true;
  }
  Family& family = store.familyTable[family_];
  if (date.edited) changed |= StoreDate(family, marriage, date.text);
  if (place.edited) changed |= StorePlace(store.texts, family, marriage, place.text);
  if (((family.flags & DivorcedFlag) != 0) != divorced_) {
    family.flags ^= DivorcedFlag;
    family.flags |= ChangedFlag;
    changed = true;
  }
  return changed;
}

bool PersonDialog::Save() {
  if (closed_) return false;
  if (!CheckNames() || !CheckDates()) return false;
  editing::BeginChange(session_);
  const bool personChanged = StoreFields();
  const bool marriageChanged = StoreMarriage();
  if (personChanged || marriageChanged) RefreshPresenceFlags(session_.store, rin_);
  return true;
}

bool EditPersonInDialog(EditSession& session, Rin rin) {
  PersonDialog dialog(session, session.completions, rin);
  if (dialog.ClosedAtOnce()) return false;
  return session.dialogs.EditPerson(dialog);
}

}  // namespace korvane
