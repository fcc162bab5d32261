#include "editing/rin_search.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <limits>
#include <utility>

#include "dates/format_date.h"
#include "editing/dispatch_edit_command.h"
#include "editing/record_edits.h"
#include "store/accessors.h"
#include "store/compare_persons.h"
#include "store/events.h"
#include "store/sort_records.h"
#include "text/compare_text.h"
#include "text/cp1252.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr std::array<RinSearchColumn, 3> kColumns = {{
    {"RIN", 80},
    {"Name", 250},
    {"Datum", 80},
}};

bool HasText(const char* text) { return text != nullptr && *text != 0; }

// CompareText counts characters, so the typed parts are measured the same way.
int CharacterCount(std::string_view text) {
  int count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) DecodeUtf8(text, pos);
  return count;
}

// A part of the typed text, zero-terminated for CompareText.
struct TypedPart {
  explicit TypedPart(std::string_view typed) : text(typed), length(CharacterCount(typed)) {}
  bool Empty() const { return length == 0; }
  bool BeginsName(const char* name) const { return CompareText(name, text.c_str(), length) == 0; }
  bool IsName(const char* name) const {
    return CompareText(name, text.c_str(), std::numeric_limits<int>::max()) == 0;
  }

  std::string text;
  int length;
};

std::string DateCell(const Store& store, const Person& person) {
  if (const int year = BirthYearOf(person)) return editing::Format("* %4u", unsigned(year));
  if (const int year = DeathYearOf(person)) return editing::Format("+ %4u", unsigned(year));
  if (const int year = MarriageYearOf(store, person, 0)) {
    return editing::Format("& %4u", unsigned(year));
  }
  return {};
}

std::string DetailsOf(const Person& person, Rin rin) {
  std::string text = editing::Format("RIN: %d\r\n", rin);
  if (HasText(person.givenNames)) text += person.givenNames;
  if (HasText(person.givenNames) && HasText(person.surname)) text += ' ';
  if (HasText(person.surname)) text += person.surname;
  text += "\r\nSex: ";
  if (person.sex != 0) AppendUtf8(text, Cp1252ToUnicode(static_cast<std::uint8_t>(person.sex)));
  text += "\r\n";
  for (const EventRow& row : EventRowsOf<Person>()) {
    const std::string date = FormatDate(DateOf(person, row), DateForm::DisplayForm);
    const char* place = PlaceOf(person, row);
    if (date.empty() && !HasText(place)) continue;
    text += row.letter;
    text += date;
    if (!date.empty() && HasText(place)) text += ' ';
    if (HasText(place)) text += place;
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::span<const RinSearchColumn> RinSearchColumns() { return kColumns; }

std::vector<Rin> PersonsByName(const Store& store) {
  std::vector<Rin> rows;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    if (PersonExists(store, rin)) rows.push_back(rin);
  }
  SortRecords(std::span<std::int32_t>(rows), 0, static_cast<int>(rows.size()) - 1, kSortByName,
              [&store](Rin a, Rin b, int key) { return ComparePersons(store, a, b, key); });
  return rows;
}

RinSearchDialog::RinSearchDialog(const Store& store, std::vector<Rin> rows)
    : store_(store), rows_(std::move(rows)) {}

Rin RinSearchDialog::RinAt(int row) const {
  return row >= 0 && row < RowCount() ? rows_[static_cast<std::size_t>(row)] : 0;
}

std::string RinSearchDialog::CellText(int row, int column) const {
  const Rin rin = RinAt(row);
  if (rin == 0) return {};
  const Person& person = store_.PersonRecord(rin);
  switch (column) {
    case kRinSearchRinColumn:
      return editing::Format("%-6u", unsigned(rin));
    case kRinSearchNameColumn: {
      std::string name = HasText(person.surname) ? person.surname : "";
      if (HasText(person.givenNames)) name += editing::Format(", %s", person.givenNames);
      return name;
    }
    case kRinSearchDateColumn:
      return DateCell(store_, person);
    default:
      return {};
  }
}

std::optional<int> RinSearchDialog::FindRow(std::string_view typed) const {
  if (!typed.empty() && std::isdigit(static_cast<unsigned char>(typed[0]))) {
    const Rin rin = TypedNumber(typed);
    for (int row = 0; row < RowCount(); ++row) {
      if (rows_[static_cast<std::size_t>(row)] == rin) return row;
    }
    return std::nullopt;
  }
  const std::size_t split = std::min(typed.find_first_of(" ,"), typed.size());
  std::size_t givenStart = split;
  while (givenStart < typed.size() && (typed[givenStart] == ' ' || typed[givenStart] == ',')) {
    ++givenStart;
  }
  const TypedPart surname(typed.substr(0, split));
  const TypedPart givenNames(typed.substr(givenStart));
  // Equal surnames share one interned text and stand together in name order, so most rows
  // are decided by the surname pointer of the row before.
  const char* checkedSurname = nullptr;
  bool checked = false, surnameFits = false;
  for (int row = 0; row < RowCount(); ++row) {
    const Person& person = store_.PersonRecord(rows_[static_cast<std::size_t>(row)]);
    if (!checked || person.surname != checkedSurname) {
      checked = true;
      checkedSurname = person.surname;
      surnameFits = surname.BeginsName(person.surname) &&
                    (givenNames.Empty() || surname.IsName(person.surname));
    }
    if (surnameFits && (givenNames.Empty() || givenNames.BeginsName(person.givenNames))) {
      return row;
    }
  }
  return std::nullopt;
}

std::optional<int> RinSearchDialog::TextChanged(std::string_view typed) {
  const std::optional<int> row = FindRow(typed);
  if (row) RowClicked(*row);
  return row;
}

void RinSearchDialog::RowClicked(int row) {
  const Rin rin = RinAt(row);
  if (rin == 0) return;
  selectedRow_ = row;
  chosenText_ = std::to_string(rin);
  details_ = DetailsOf(store_.PersonRecord(rin), rin);
}

}  // namespace korvane
