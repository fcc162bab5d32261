// Type-to-find of the person list: letters typed within a few seconds of the first one
// select the next row, in the order of the sort column, whose cell begins with them; with
// the list sorted by surname a comma starts a second search among the given names of the
// surname found so far.

#include <cstdio>
#include <cstdlib>

#include "store/accessors.h"
#include "text/compare_text.h"
#include "text/cp1252.h"
#include "text/utf8.h"
#include "views/person_list.h"

namespace korvane {
namespace {

constexpr int kBlankKey = ' ';
constexpr int kFirstNavigationKey = 33;  // page up
constexpr int kLastNavigationKey = 40;   // arrow down

bool BeginsWith(const char* text, const std::string& typed, int chars) {
  return CompareText(text, typed.c_str(), chars) == 0;
}

// A person without the name matches, so a search never stalls on a nameless row.
bool NameMatches(const char* name, const std::string& typed, int chars) {
  return name == nullptr || BeginsWith(name, typed, chars);
}

bool PlaceMatches(const char* place, const std::string& typed, int chars) {
  return place != nullptr && BeginsWith(place, typed, chars);
}

bool YearMatches(int year, const std::string& typed, int chars) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", year);
  return BeginsWith(buffer, typed, chars);
}

bool RinMatches(Rin rin, const std::string& typed) {
  // Read as a number the way the typed digits look; a non-number reads as 0, no RIN.
  return std::strtol(typed.c_str(), nullptr, 10) == rin;
}

std::optional<char32_t> KeyCharacter(int keyCode) {
  if (keyCode < kBlankKey || keyCode > 0x10FFFF || (keyCode >= 0xD800 && keyCode <= 0xDFFF)) {
    return std::nullopt;
  }
  if (keyCode <= 0xFF) return Cp1252ToUnicode(static_cast<std::uint8_t>(keyCode));
  return static_cast<char32_t>(keyCode);
}

}  // namespace

bool PersonList::RowMatches(int row, const std::string& typed, int chars) const {
  const Rin rin = RinAt(row);
  const Person& person = store_.PersonRecord(rin);
  switch (sortColumn_) {
    case kRinColumn:
      return RinMatches(rin, typed);
    case kSurnameColumn:
      return NameMatches(person.surname, typed, chars);
    case kGivenNamesColumn:
      return NameMatches(person.givenNames, typed, chars);
    case kBirthYearColumn:
      return YearMatches(BirthYearOf(person), typed, chars);
    case kBirthPlaceColumn:
      return PlaceMatches(ShownBirthPlace(person), typed, chars);
    case kDeathYearColumn:
      return YearMatches(DeathYearOf(person), typed, chars);
    case kDeathPlaceColumn:
      return PlaceMatches(ShownDeathPlace(person), typed, chars);
    case kMarriageYearColumn:
      return YearMatches(MarriageYearOf(store_, person, 0), typed, chars);
    case kMarriagePlaceColumn:
      return PlaceMatches(ShownMarriagePlace(store_, person), typed, chars);
    default:
      return false;
  }
}

int PersonList::FindFromRow(int startRow) const {
  const int count = RowCount();
  int row = startRow;
  do {
    if (RowMatches(row, typeAhead_.surname, typeAhead_.surnameChars)) return row;
    row += KeyOrderStep();
    if (row < 0) row = count - 1;
    if (row >= count) row = 0;
  } while (row != startRow);
  return startRow;
}

int PersonList::WalkGivenNames(int startRow) const {
  const int count = RowCount();
  int row = startRow;
  for (;;) {
    const char* givenNames = store_.PersonRecord(RinAt(row)).givenNames;
    if (givenNames == nullptr) break;
    if (CompareText(givenNames, typeAhead_.givenNames.c_str(), typeAhead_.givenNameChars) >= 0) {
      break;
    }
    if (!RowMatches(row, typeAhead_.surname, typeAhead_.surnameChars)) break;
    const int next = row + KeyOrderStep();
    if (next < 0 || next >= count) break;
    row = next;
  }
  return row;
}

std::optional<int> PersonList::KeyTyped(int keyCode, int currentRow, std::int64_t nowSeconds) {
  if (keyCode >= kFirstNavigationKey && keyCode <= kLastNavigationKey) return std::nullopt;
  if (keyCode == kDeleteKey) return std::nullopt;
  const std::optional<char32_t> character = KeyCharacter(keyCode);
  const int count = RowCount();
  if (!character || count == 0) return std::nullopt;
  if (currentRow < 0) currentRow = 0;
  if (currentRow >= count) currentRow = count - 1;

  TypeAhead& t = typeAhead_;
  // The window counts from the first key of a sequence, not from the last one.
  if (t.start == 0 || nowSeconds - t.start > kTypeAheadSeconds) {
    t.start = nowSeconds;
    t.surname.clear();
    t.surnameChars = 0;
    t.givenNameChars = -1;
  }
  if (keyCode == kCommaKey && sortColumn_ == kSurnameColumn) {
    t.givenNames.clear();
    t.givenNameChars = 0;
    return currentRow;
  }
  if (t.givenNameChars >= 0) {
    if (keyCode == kBlankKey || t.givenNameChars >= kMaxTypedChars) return currentRow;
    AppendUtf8(t.givenNames, *character);
    ++t.givenNameChars;
    return WalkGivenNames(currentRow);
  }
  if (t.surnameChars >= kMaxTypedChars) return currentRow;
  AppendUtf8(t.surname, *character);
  ++t.surnameChars;
  return FindFromRow(currentRow);
}

}  // namespace korvane
