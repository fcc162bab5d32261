#pragma once

// The person edit dialog without its window: the fields with their ids, what they show
// when the dialog opens, how they react to keys and to losing the focus, and the save
// step. The desktop binds one edit widget to each field and forwards its events; the
// command line and the tests fill the fields and save. Positions in a field's text count
// characters (code points of the UTF-8 text), not bytes.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editing/completion_lists.h"
#include "editing/edit_session.h"

namespace korvane {

enum PersonDialogId : int {
  kPersonSaveButton = 1,    // "SPEICHERN"
  kPersonCancelButton = 2,  // "ABBRECHEN"
  kSexField = 1001,
  kGivenNamesField = 1002,
  kSurnameField = 1003,
  kBirthDateField = 1004,
  kBirthPlaceField = 1005,
  kChrDateField = 1006,
  kChrPlaceField = 1007,
  kDeathDateField = 1008,
  kDeathPlaceField = 1009,
  kBurialDateField = 1010,
  kBurialPlaceField = 1011,
  kMarriageDateField = 1012,
  kMarriagePlaceField = 1013,
  kSpouseField = 1014,  // read-only
  kRinField = 1031,     // read-only
  kDivorcedBox = 1071,  // "Geschieden"
};

enum class FieldKind { kReadOnly, kSex, kNames, kText, kDate, kPlace };

// One edit field of the dialog, in tab order: its label ("GEBURT"; a date and its place
// share the label, the place's is empty), its kind and where it stands in the grid of
// labels, date column ("Datum") and place column ("Ort").
struct PersonField {
  int id;
  const char* label;
  FieldKind kind;
  int row;
  int column;  // 0 spans the row (sex, names, spouse); 1 date; 2 place
};
std::span<const PersonField> PersonFields();

// The text of a field with its selection (start and length in characters).
struct FieldText {
  std::string text;
  int selectionStart = 0;
  int selectionLength = 0;
};

class PersonDialog {
 public:
  // Opens the dialog for `rin` with the title of `session.state.pendingDialogTitle` (or
  // "PERSON BEARBEITEN"). A RIN below 1 or beyond the table closes it at once (see
  // ClosedAtOnce); the dialog never makes a record.
  PersonDialog(EditSession& session, CompletionLists& completions, Rin rin);

  bool ClosedAtOnce() const;
  Rin rin() const;
  const std::string& Title() const;
  // The marriage fields, the spouse and "Geschieden" only mean something when the person
  // has a spouse family; otherwise they start empty (typing a marriage creates one).
  bool HasFamily() const;

  const std::string& Text(int id) const;
  bool Divorced() const;
  // The field that has the focus: "VORNAMEN" at the start.
  int FocusField() const;

  // What the user put into a field as a whole (paste, a typed date, the command line):
  // the field is edited from now on.
  void SetText(int id, std::string text);
  // Keys in the sex field: the field shows one letter and a blank, a wrong key shows the
  // error box first; the focus moves on to "VORNAMEN". Returns the field with the focus.
  int SexKeyTyped(char32_t key);
  // A printable character typed into the names or a place field (the completion while
  // typing), and Backspace there; any other field takes the character as it comes.
  FieldText CharacterTyped(int id, const FieldText& before, char32_t character);
  FieldText BackspaceTyped(int id, const FieldText& before);
  // The field loses the focus, or Enter was pressed in it: a date is normalised, a name
  // or place recorded in its completion list. The field's text may change.
  void FieldLeft(int id);
  // Up and Down: the field that gets the focus (its text selected).
  int NextField(int id, bool up);
  // Clicking "Geschieden" marks the family at once.
  void DivorcedClicked(bool ticked);

  // "SPEICHERN": stores what was edited; false when the dialog stays open (the error box
  // was shown). Fields the user never edited are stored exactly as they were.
  bool Save();

  static constexpr int kFieldCount = 15;

 private:
  struct FieldState {
    std::string text;
    bool edited = false;
    bool unsettledDate = false;  // a date typed and not yet normalised
  };
  FieldState* Find(int id);
  const FieldState* Find(int id) const;
  std::vector<std::string>& GivenNameList();
  void SettleDate(int id);
  // Save steps.
  bool CheckNames();
  bool CheckDates();
  bool StoreFields();
  bool StoreMarriage();

  EditSession& session_;
  CompletionLists& completions_;
  Rin rin_;
  bool closed_ = false;
  std::string title_;
  Mrin family_ = 0;  // the spouse family shown; 0 without one
  bool divorced_ = false;
  int focus_ = kGivenNamesField;
  std::array<FieldState, kFieldCount> fields_;  // in the order of PersonFields()
};

// Opens the dialog for `rin` through the session's dialogs; true when it was saved.
bool EditPersonInDialog(EditSession& session, Rin rin);

}  // namespace korvane
