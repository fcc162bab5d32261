#include "views/person_list_columns.h"

#include <cstdio>

#include "store/accessors.h"
#include "store/events.h"

namespace korvane {
namespace {

bool HasText(const char* text) { return text != nullptr && *text != 0; }

std::string TextOrEmpty(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

std::string YearText(int year, const char* format) {
  if (year == 0) return {};
  char buffer[24];
  const int length = std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(year));
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

const char* ShownBirthPlace(const Person& person) {
  const char* place = PlaceOrStandIn(person, EventKind::Birth);
  return HasText(place) ? place : nullptr;
}

const char* ShownDeathPlace(const Person& person) {
  const char* place = PlaceOrStandIn(person, EventKind::Death);
  return HasText(place) ? place : nullptr;
}

const char* ShownMarriagePlace(const Store& store, const Person& person) {
  const Mrin mrin = FamsAt(person, 0);
  if (mrin == 0) return nullptr;
  const char* place = PlaceOf(store.FamilyRecord(mrin), EventRowOf(EventKind::Marriage));
  return HasText(place) ? place : nullptr;
}

std::string PersonCellText(const Store& store, Rin rin, int column) {
  const Person& person = store.PersonRecord(rin);
  switch (column) {
    case kRinColumn: {
      char buffer[24];
      const int length = std::snprintf(buffer, sizeof buffer, "%-6u", static_cast<unsigned>(rin));
      return std::string(buffer, static_cast<std::size_t>(length));
    }
    case kSurnameColumn:
      return TextOrEmpty(person.surname);
    case kGivenNamesColumn:
      return TextOrEmpty(person.givenNames);
    case kBirthYearColumn:
      return YearText(BirthYearOf(person), "%4u");
    case kBirthPlaceColumn:
      return TextOrEmpty(ShownBirthPlace(person));
    case kDeathYearColumn:
      return YearText(DeathYearOf(person), "%4u");
    case kDeathPlaceColumn:
      return TextOrEmpty(ShownDeathPlace(person));
    case kMarriageYearColumn:
      // The dots say that the year is only that of the first of several marriages.
      return YearText(MarriageYearOf(store, person, 0), person.fams.Count() > 1 ? "%4u..." : "%4u");
    case kMarriagePlaceColumn:
      return TextOrEmpty(ShownMarriagePlace(store, person));
    default:
      return {};
  }
}

}  // namespace korvane
