#include "editing/date_field.h"

#include "dates/format_date.h"
#include "dates/parse_date_text.h"
#include "dates/parse_typed_date.h"

namespace korvane {
namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// A number alone that can only be the day of a month.
bool IsBareDay(PackedDate date) {
  return date.Month() == 0 && date.Day() == 0 && date.Year() >= 1 && date.Year() <= 31;
}

// The date a field's text gives. A text in the display form already (shown when the
// dialog opened, or left before) is read exactly: the typed reading would lose what it
// does not know, a month behind a qualifier ("UNG MAR 1850") or a second year.
PackedDate FieldDate(const std::string& text) {
  PackedDate exact;
  if (ParseDateText(exact, text.c_str()) && exact.Year() != 0 && !IsBareDay(exact) &&
      FormatDate(exact, DateForm::DisplayForm) == text) {
    return exact;
  }
  return ParseTypedDate({}, text.c_str());
}

// The typed date completed from the previous field's; empty when nothing makes a date.
PackedDate Completed(PackedDate date, const std::string& previous) {
  const bool monthOnly = date.Year() == 0 && date.Month() != 0;
  if (!monthOnly && !IsBareDay(date)) return date;
  PackedDate result = FieldDate(previous);
  result.SetSecondYearOffset(0);
  if (monthOnly) {
    result.SetMonth(date.Month());
    result.SetDay(date.Day());  // "12 MAI": the day typed stays
  } else {
    if (result.Year() == 0 || result.Month() == 0) return {};
    result.SetDay(date.Year());
  }
  if (date.Qualifier() != kNoQualifier) result.SetQualifier(date.Qualifier());
  return result;
}

}  // namespace

std::string NormalisedDateText(const std::string& text, const std::string& previous) {
  if (IsBlank(text)) return "";
  const std::string shown = FormatDate(Completed(FieldDate(text), previous), DateForm::DisplayForm);
  return shown.empty() ? text : shown;
}

bool IsStorableDateText(const std::string& text) {
  if (IsBlank(text)) return true;
  if (IsBareDay(ParseTypedDate({}, text.c_str()))) return false;
  PackedDate date;
  return ParseDateText(date, text.c_str()) && !date.IsEmpty();
}

}  // namespace korvane
