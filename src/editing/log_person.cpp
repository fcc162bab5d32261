#include "editing/log_person.h"

#include "store/report_lines.h"

namespace korvane {
namespace {

constexpr int kDescriptionMode =
    kLineRinFirst | kLineBirth | kLineDeath | kLinePlaces | kLineFullDates | kLineBreak;

}  // namespace

std::string DescribePerson(Diagnostics& diagnostics, const Store& store, Rin rin) {
  const std::int32_t before = diagnostics.ReportLength();
  AppendPersonLine(diagnostics, store, nullptr, kDescriptionMode, rin);
  const std::int32_t after = diagnostics.ReportLength();
  if (after == Diagnostics::kReportFull || after <= before) return {};
  std::string description(diagnostics.ReportText().substr(static_cast<std::size_t>(before)));
  diagnostics.TruncateReport(before);
  return description;
}

void LogPersonDescription(Diagnostics& diagnostics, const Store& store, Rin rin) {
  const std::string description = DescribePerson(diagnostics, store, rin);
  if (!description.empty()) diagnostics.LogAppend("%s", description.c_str());
}

}  // namespace korvane
