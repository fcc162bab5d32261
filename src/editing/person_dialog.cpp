#include "editing/person_dialog.h"

#include <iterator>
#include <utility>

#include "dates/format_date.h"
#include "editing/completion.h"
#include "editing/date_field.h"
#include "editing/field_text.h"
#include "editing/person_dialog_fields.h"
#include "editing/record_edits.h"
#include "store/accessors.h"
#include "store/flags.h"
#include "store/sex.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr PersonField kFields[] = {
    {kRinField, "RIN", FieldKind::kReadOnly, 0, 0},
    {kSexField, "GESCHL", FieldKind::kSex, 1, 0},
    {kGivenNamesField, "VORNAMEN", FieldKind::kNames, 2, 0},
    {kSurnameField, "NACHNAME", FieldKind::kText, 3, 0},
    {kBirthDateField, "GEBURT", FieldKind::kDate, 4, 1},
    {kBirthPlaceField, "", FieldKind::kPlace, 4, 2},
    {kChrDateField, "TAUFE", FieldKind::kDate, 5, 1},
    {kChrPlaceField, "", FieldKind::kPlace, 5, 2},
    {kDeathDateField, "TOD", FieldKind::kDate, 6, 1},
    {kDeathPlaceField, "", FieldKind::kPlace, 6, 2},
    {kBurialDateField, "BEGR", FieldKind::kDate, 7, 1},
    {kBurialPlaceField, "", FieldKind::kPlace, 7, 2},
    {kMarriageDateField, "HEIRAT", FieldKind::kDate, 8, 1},
    {kMarriagePlaceField, "", FieldKind::kPlace, 8, 2},
    {kSpouseField, "EHEPARTN", FieldKind::kReadOnly, 9, 0},
};
static_assert(std::size(kFields) == PersonDialog::kFieldCount);

int IndexOf(int id) {
  for (int i = 0; i < PersonDialog::kFieldCount; ++i) {
    if (kFields[i].id == id) return i;
  }
  return -1;
}

FieldKind KindOf(int id) {
  const int i = IndexOf(id);
  return i < 0 ? FieldKind::kReadOnly : kFields[i].kind;
}

// Up and Down from each field.
struct Move {
  int from, up, down;
};
constexpr Move kMoves[] = {
    {kSexField, kMarriagePlaceField, kGivenNamesField},
    {kGivenNamesField, kSexField, kSurnameField},
    {kSurnameField, kGivenNamesField, kBirthDateField},
    {kBirthDateField, kSurnameField, kChrDateField},
    {kBirthPlaceField, kSurnameField, kChrPlaceField},
    {kChrDateField, kBirthDateField, kDeathDateField},
    {kChrPlaceField, kBirthPlaceField, kDeathPlaceField},
    {kDeathDateField, kChrDateField, kBurialDateField},
    {kDeathPlaceField, kChrPlaceField, kBurialPlaceField},
    {kBurialDateField, kDeathDateField, kMarriageDateField},
    {kBurialPlaceField, kDeathPlaceField, kMarriagePlaceField},
    {kMarriageDateField, kBurialDateField, kMarriagePlaceField},
    {kMarriagePlaceField, kBurialPlaceField, kBirthPlaceField},
    {kSpouseField, kMarriagePlaceField, kSurnameField},
};

// The date a date field takes a missing year (or month) from: the event above it.
int PreviousDateField(int id) {
  return id == kChrDateField || id == kDeathDateField || id == kBurialDateField ? id - 2 : id;
}

// A known sex shows as stored; an unknown one leaves the field empty, so that saving
// without a letter typed keeps it.
std::string SexFieldText(char sex) {
  return NormalizedSex(sex) != 0 ? std::string(1, sex) : std::string();
}

// The spouse as the dialog shows it: names, then birth and death years.
std::string PersonSummary(const Store& store, Rin rin) {
  if (rin < 1 || rin > store.PersonCount()) return "";
  const Person& person = store.personTable[rin];
  std::string text = editing::NameText(person.givenNames);
  if (person.surname != nullptr) text += editing::Format(" %s", person.surname);
  if (const int born = BirthYearOf(person); born != 0) {
    text += editing::Format(" %d ", born);
  } else if (const int estimated = EstimatedBirthYear(store, rin); estimated != 0) {
    text += editing::Format("* ca.%d ", estimated);
  }
  if (const int died = DeathYearOf(person); died != 0) text += editing::Format("-%d ", died);
  return text;
}

}  // namespace

std::span<const PersonField> PersonFields() { return kFields; }

PersonDialog::PersonDialog(EditSession& session, CompletionLists& completions, Rin rin)
    : session_(session), completions_(completions), rin_(rin) {
  const std::string& pending = session.state.pendingDialogTitle;
  title_ = pending.empty() ? "PERSON BEARBEITEN" : pending;
  const Store& store = session.store;
  // A number beyond the table has no record to edit; the dialog does not make one.
  if (rin < 1 || rin > store.PersonCount()) {
    closed_ = true;
    return;
  }
  const Person& person = store.personTable[rin];
  Find(kRinField)->text = std::to_string(rin);
  Find(kSexField)->text = SexFieldText(person.sex);
  Find(kGivenNamesField)->text = editing::NameText(person.givenNames);
  Find(kSurnameField)->text = editing::NameText(person.surname);
  for (const EventRow& row : EventRowsOf<Person>()) {
    Find(editing::DateFieldOf(row))->text = FormatDate(DateOf(person, row), DateForm::DisplayForm);
    Find(editing::PlaceFieldOf(row))->text = editing::NameText(PlaceOf(person, row));
  }

  // The views' family index belongs to the current person; for another person (a child
  // just made, say) it may be beyond the list, and the dialog shows the first family then
  // without moving the views to another one.
  int index = session.state.currentFamilyIndex;
  if (index < 0 || index >= person.fams.Count()) index = 0;
  if (!person.fams.Empty() && FamilyExists(store, person.fams.At(index))) {
    family_ = person.fams.At(index);
    const Family& family = store.familyTable[family_];
    const EventRow& marriage = EventRowOf(EventKind::Marriage);
    Find(kMarriageDateField)->text = FormatDate(DateOf(family, marriage), DateForm::DisplayForm);
    Find(kMarriagePlaceField)->text = editing::NameText(PlaceOf(family, marriage));
    Find(kSpouseField)->text = PersonSummary(store, editing::PartnerIn(store, family_, rin));
    divorced_ = (family.flags & DivorcedFlag) != 0;
  }
}

bool PersonDialog::ClosedAtOnce() const { return closed_; }
Rin PersonDialog::rin() const { return rin_; }
const std::string& PersonDialog::Title() const { return title_; }
bool PersonDialog::HasFamily() const { return family_ != 0; }
bool PersonDialog::Divorced() const { return divorced_; }
int PersonDialog::FocusField() const { return focus_; }

const PersonDialog::FieldState* PersonDialog::Find(int id) const {
  const int i = IndexOf(id);
  return i < 0 ? nullptr : &fields_[static_cast<std::size_t>(i)];
}
PersonDialog::FieldState* PersonDialog::Find(int id) {
  return const_cast<FieldState*>(std::as_const(*this).Find(id));
}

const std::string& PersonDialog::Text(int id) const {
  static const std::string kNone;
  const FieldState* field = Find(id);
  return field != nullptr ? field->text : kNone;
}

std::vector<std::string>& PersonDialog::GivenNameList() {
  return IsFemale(Text(kSexField).empty() ? 0 : Text(kSexField).front()) ? completions_.womensNames
                                                                         : completions_.mensNames;
}

void PersonDialog::SetText(int id, std::string text) {
  if (KindOf(id) == FieldKind::kReadOnly) return;
  FieldState& field = *Find(id);
  field.text = std::move(text);
  field.edited = true;
  field.unsettledDate = KindOf(id) == FieldKind::kDate;
}

int PersonDialog::SexKeyTyped(char32_t key) {
  char letter = 'F';
  switch (key) {
    case U'U':
    case U'u':
    case U'N':
    case U'n':
    case U'?':
      letter = 'U';
      break;
    case U'M':
    case U'm':
      letter = 'M';
      break;
    case U'F':
    case U'f':
    case U'W':
    case U'w':
      break;
    default:
      session_.diagnostics.ErrorBox("Geschlecht muss M, F oder U sein");
      break;
  }
  SetText(kSexField, std::string{letter, ' '});
  focus_ = kGivenNamesField;
  return focus_;
}

FieldText PersonDialog::CharacterTyped(int id, const FieldText& before, char32_t character) {
  const FieldKind kind = KindOf(id);
  if (kind == FieldKind::kReadOnly || character < 0x20 || character > 0x10FFFF ||
      (character >= 0xD800 && character <= 0xDFFF)) {
    return before;
  }
  if (kind == FieldKind::kSex) {
    SexKeyTyped(character);
    return {Text(kSexField), editing::CharCount(Text(kSexField)), 0};
  }
  if (kind == FieldKind::kNames && character == U' ') {
    const std::size_t caret = editing::ByteOffset(before.text, before.selectionStart);
    editing::RecordUse(GivenNameList(), editing::LastWord(before.text.substr(0, caret)));
  }
  std::string typed;
  AppendUtf8(typed, character);
  FieldText after = editing::ReplaceSelection(before, typed);
  if (kind == FieldKind::kNames) {
    after = editing::CompleteTyped(GivenNameList(), after, editing::CompletionMode::kGivenName);
  } else if (kind == FieldKind::kPlace) {
    after = editing::CompleteTyped(completions_.places, after, editing::CompletionMode::kPlace);
  }
  SetText(id, after.text);
  return after;
}

FieldText PersonDialog::BackspaceTyped(int id, const FieldText& before) {
  if (KindOf(id) == FieldKind::kReadOnly) return before;
  FieldText after = editing::DeleteBackward(before);
  SetText(id, after.text);
  return after;
}

void PersonDialog::SettleDate(int id) {
  FieldState& field = *Find(id);
  if (!field.unsettledDate) return;
  field.text = NormalisedDateText(field.text, Text(PreviousDateField(id)));
  field.unsettledDate = false;
}

void PersonDialog::FieldLeft(int id) {
  switch (KindOf(id)) {
    case FieldKind::kDate:
      SettleDate(id);
      break;
    case FieldKind::kNames:
      editing::RecordUse(GivenNameList(), editing::LastWord(Text(id)));
      break;
    case FieldKind::kPlace:
      editing::RecordUse(completions_.places, Text(id));
      break;
    default:
      break;
  }
}

int PersonDialog::NextField(int id, bool up) {
  for (const Move& move : kMoves) {
    if (move.from == id) {
      focus_ = up ? move.up : move.down;
      return focus_;
    }
  }
  return id;
}

void PersonDialog::DivorcedClicked(bool ticked) {
  divorced_ = ticked;
  if (family_ == 0) return;
  editing::BeginChange(session_);
  std::uint32_t& flags = session_.store.familyTable[family_].flags;
  if (((flags & DivorcedFlag) != 0) == ticked) return;
  flags ^= DivorcedFlag;
  flags |= ChangedFlag;
}

}  // namespace korvane
