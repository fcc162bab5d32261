#include "dates/format_date.h"

#include "dates/date_words.h"

namespace korvane {

std::string FormatDate(PackedDate date, DateForm form) {
  // Qualifiers 5..7 and months 13..15 are never produced by the parsers; a damaged word that
  // holds them is shown without them rather than with a made-up word.
  const int qualifier = date.Qualifier() <= kMaxQualifier ? date.Qualifier() : 0;
  const int month = date.Month() <= kMaxMonth ? date.Month() : 0;
  const int year = date.Year();
  if (year == 0 && month == 0) return {};

  const bool gedcom = form == DateForm::GedcomForm;
  std::string text;
  if (qualifier != 0) {
    text += gedcom ? kGedcomQualifierWords[qualifier] : kDisplayQualifierWords[qualifier];
    text += ' ';
  }
  if (date.Day() != 0) {
    text += std::to_string(date.Day());
    text += ' ';
  }
  if (month != 0) text += gedcom ? kGedcomMonthWords[month] : kDisplayMonthWords[month];
  if (month != 0 && year != 0) text += ' ';
  if (year != 0) text += std::to_string(year);
  if (date.SecondYearOffset() != 0) {
    text += '/';
    text += std::to_string(year + date.SecondYearOffset());
  }
  return text;
}

}  // namespace korvane
