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

// The typed date completed from the previous field's; empty when nothing makes a date.
PackedDate Completed(PackedDate date, const std::string& previous) {
  if (date.Year() == 0 && date.Month() != 0) {
    PackedDate result = ParseTypedDate({}, previous.c_str());
    result.SetMonth(date.Month());
    result.SetDay(date.Day());  // "12 MAI": the day typed stays
    if (date.Qualifier() != kNoQualifier) result.SetQualifier(date.Qualifier());
    return result;
  }
  if (IsBareDay(date)) {
    PackedDate result = ParseTypedDate({}, previous.c_str());
    if (result.Year() == 0 || result.Month() == 0) return {};
    result.SetDay(date.Year());
    if (date.Qualifier() != kNoQualifier) result.SetQualifier(date.Qualifier());
    return result;
  }
  return date;
}

}  // namespace

std::string NormalisedDateText(const std::string& text, const std::string& previous) {
  if (IsBlank(text)) return "";
  // The typed reading knows no second year ("1700/1701"); the exact reading keeps it.
  PackedDate exact;
  if (ParseDateText(exact, text.c_str()) && exact.SecondYearOffset() != 0) {
    return FormatDate(exact, DateForm::DisplayForm);
  }
  const std::string shown =
      FormatDate(Completed(ParseTypedDate({}, text.c_str()), previous), DateForm::DisplayForm);
  return shown.empty() ? text : shown;
}

bool IsStorableDateText(const std::string& text) {
  if (IsBlank(text)) return true;
  if (IsBareDay(ParseTypedDate({}, text.c_str()))) return false;
  PackedDate date;
  return ParseDateText(date, text.c_str()) && !date.IsEmpty();
}

}  // namespace korvane
