#pragma once

#include <string_view>

#include "dates/packed_date.h"

namespace korvane {

// Reads the value of a GEDCOM DATE line, or a confirmed date field, into `date`. On failure
// it returns false and leaves bit 24 set together with the fields read before the fault; a
// null text fails at once and leaves `date` untouched. Empty or blank text is no date and
// succeeds.
bool ParseDateText(PackedDate& date, const char* text);
// The same for text that need not end with a zero; a NUL in it ends it.
bool ParseDateText(PackedDate& date, std::string_view text);
// Reads a date of the usual forms in upper-case GEDCOM words with single blanks ("12 MAR
// 1850", "ABT 1850"), which hold only ASCII letters, digits and blanks, as ParseDateText
// would; for any other text returns false and leaves `date` untouched.
bool ParseCommonDateText(PackedDate& date, std::string_view text);

// The month (1..12) a word names in either date form, or 0. Apart from a few exact short
// forms a word is judged by its first letter, so "April" gives 8.
int MonthFromWord(const char* token);

// The qualifier (1..4) a whole word names in either date form, or 0.
int QualifierFromWord(const char* token);

}  // namespace korvane
