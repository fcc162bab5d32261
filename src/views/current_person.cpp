#include "views/current_person.h"

namespace korvane {
namespace {

std::string PersonCountText(int rowCount) { return std::to_string(rowCount) + " Personen\t"; }

}  // namespace

bool MakeCurrent(const PersonList& list, int row, Rin& currentRin, Rin& previousRin) {
  const Rin rin = list.RinAt(row);
  if (rin == 0) return false;
  if (rin != currentRin) previousRin = currentRin;
  currentRin = rin;
  return true;
}

std::string RinStatusText(Rin currentRin) { return "RIN: " + std::to_string(currentRin); }

std::array<std::string, 3> ListStatusTexts(std::string_view displayFileName, int rowCount,
                                           const ChangeCounters& counters, Rin currentRin) {
  std::string counts = PersonCountText(rowCount);
  if (counters.merges != 0) counts += "  " + std::to_string(counters.merges) + " Verschmelzungen";
  if (counters.corrections != 0) {
    counts += "  " + std::to_string(counters.corrections) + " Korrekturen";
  }
  return {std::string(displayFileName) + " geladen", std::move(counts), RinStatusText(currentRin)};
}

std::array<std::string, 3> SelectionStatusTexts(int rowCount, Rin currentRin) {
  return {"Auswahl", PersonCountText(rowCount), RinStatusText(currentRin)};
}

}  // namespace korvane
