#include "store/set_event_date.h"

#include <string>

#include "dates/format_date.h"
#include "dates/parse_date_text.h"
#include "store/flags.h"

namespace korvane {

void SetEventDate(PackedDate& date, std::uint32_t& flags, const char* text,
                  std::uint32_t eventFlag) {
  const std::string newText = text != nullptr ? text : "";
  const std::string current = FormatDate(date, DateForm::DisplayForm);
  if (current.empty() ? newText.empty() : current == newText) return;
  ParseDateText(date, newText.c_str());  // a rejected text keeps bit 24 for the check to find
  if (FormatDate(date, DateForm::DisplayForm).empty()) {
    flags &= ~eventFlag;
  } else {
    flags |= eventFlag;
  }
  flags |= ChangedFlag;
}

}  // namespace korvane
