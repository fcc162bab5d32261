#pragma once

#include <string_view>

namespace korvane {

// What a stored sex letter means: 'M' for a man, 'F' for a woman, in either case as files
// and typists write them; 0 for every other letter (U, ?) and for none. `Person::sex`
// keeps the letter as read; every test of a person's sex goes through here.
constexpr char NormalizedSex(char letter) {
  switch (letter) {
    case 'M':
    case 'm':
      return 'M';
    case 'F':
    case 'f':
      return 'F';
    default:
      return 0;
  }
}

constexpr bool IsMale(char letter) { return NormalizedSex(letter) == 'M'; }
constexpr bool IsFemale(char letter) { return NormalizedSex(letter) == 'F'; }

// The letter kept for the value of a SEX line: its first byte, 0 for an empty value. The
// reader takes it from the file's undecoded bytes, where a byte beyond ASCII is not the
// same letter in every encoding: such a byte is kept as '?'.
constexpr char SexLetterOfValue(std::string_view value) {
  const char first = value.empty() ? 0 : value.front();
  return static_cast<unsigned char>(first) < 0x80 ? first : '?';
}

}  // namespace korvane
