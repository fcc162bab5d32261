#pragma once

#include <string>

namespace korvane {

// Up to five digits 1..9, each at most once, for a name in UTF-8; names that sound alike
// get equal codes. A null name, or one without a character from 'A' to 'z', gives "".
std::string PhoneticCode(const char* name);

// A Soundex-style code: the name's first letter in upper case and up to three digits 1..6,
// each at most once and without padding ('Li' gives 'L'). A null name gives "".
std::string SoundexCode(const char* name);

}  // namespace korvane
