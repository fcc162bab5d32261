#include "gedcom/name_value.h"

namespace korvane {

bool SplitNameValue(std::string_view value, NameValue& name) {
  if (value.find_first_not_of(" \t") == std::string_view::npos) return false;
  name = NameValue{value, {}};
  const std::size_t slash = value.find('/');
  if (slash != std::string_view::npos) {
    name.givenNames = value.substr(0, slash);
    while (!name.givenNames.empty() && name.givenNames.back() == ' ') {
      name.givenNames.remove_suffix(1);
    }
    name.surname = value.substr(slash + 1);
    name.surname = name.surname.substr(0, name.surname.find('/'));
  }
  return true;
}

}  // namespace korvane
