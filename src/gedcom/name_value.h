#pragma once

#include <string_view>

namespace korvane {

// The parts the program holds of a NAME value "Given Names /Surname/ suffix". A value
// without "/" is all given names; the suffix behind the second "/" is not held.
struct NameValue {
  std::string_view givenNames;
  std::string_view surname;
};

// False for a blank value, which names nobody and is not taken.
bool SplitNameValue(std::string_view value, NameValue& name);

}  // namespace korvane
