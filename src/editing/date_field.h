#pragma once

// The date fields of the person dialog: what a typed date becomes when the field is left,
// and which texts the save refuses.

#include <string>

namespace korvane {

// The text a date field shows once left: the typed date in the display form. A date
// without a year takes the year from `previous` (the text of the date field above it),
// and a bare number up to 31 is a day of the month and year `previous` gives: "12" after
// "3 MAR 1850" is "12 MAR 1850", "MAI" is "MAI 1850". A text that gives no date to show
// (also a bare day without a month and year to go with) stays as it was typed.
std::string NormalisedDateText(const std::string& text, const std::string& previous);

// Whether the save may store this date text: a real date, no bare day, no text the date
// parser refuses. An empty text (no date) is fine.
bool IsStorableDateText(const std::string& text);

}  // namespace korvane
