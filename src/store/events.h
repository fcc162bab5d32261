#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

#include "store/flags.h"
#include "store/records.h"

namespace korvane {

// The events whose date and place the program holds. The values are the rows of
// kEventRows; the person's events come first, in the order reports look at them.
enum class EventKind : std::uint8_t { Birth, Christening, Death, Burial, Marriage };

// Everything the program knows about one held event: the GEDCOM tag the reader and the
// export look for, the record fields and presence bits that hold it, and how reports show
// it. A person event's fields lie in Person (the Family members are null), the
// marriage's in Family.
struct EventRow {
  EventKind kind;
  std::string_view tag;  // the level-1 tag; DATE and PLAC stand below it
  bool ofFamily;
  PackedDate Person::*personDate;
  const char* Person::*personPlace;
  PackedDate Family::*familyDate;
  const char* Family::*familyPlace;
  std::uint32_t dateFlag;   // has-date bit of the record's flag word
  std::uint32_t placeFlag;  // has-place bit
  const char* letter;       // marks the event in report lines: "* 1850 Ulm"
  const char* germanName;
  // The row whose date and place stand in for this event's when it has none (a birth is
  // dated by the christening, a death by the burial); -1 for none.
  int standIn;
};

inline constexpr std::array<EventRow, 5> kEventRows = {{
    {EventKind::Birth, "BIRT", false, &Person::birthDate, &Person::birthPlace, nullptr, nullptr,
     HasBirthDateFlag, HasBirthPlaceFlag, "* ", "Geburt", 1},
    {EventKind::Christening, "CHR", false, &Person::chrDate, &Person::chrPlace, nullptr, nullptr,
     HasChrDateFlag, HasChrPlaceFlag, "~ ", "Taufe", -1},
    {EventKind::Death, "DEAT", false, &Person::deathDate, &Person::deathPlace, nullptr, nullptr,
     HasDeathDateFlag, HasDeathPlaceFlag, "+ ", "Tod", 3},
    {EventKind::Burial, "BURI", false, &Person::burialDate, &Person::burialPlace, nullptr, nullptr,
     HasBurialDateFlag, HasBurialPlaceFlag, "_ ", "Begräbnis", -1},
    {EventKind::Marriage, "MARR", true, nullptr, nullptr, &Family::marriageDate,
     &Family::marriagePlace, HasMarriageDateFlag, HasMarriagePlaceFlag, "oo", "Heirat", -1},
}};

inline constexpr std::size_t kPersonEventCount = 4;

// The rows stand at the index of their kind, the person's before the family's, and a
// stand-in is an event of the same record.
static_assert([] {
  for (std::size_t i = 0; i < kEventRows.size(); ++i) {
    const EventRow& row = kEventRows[i];
    if (static_cast<std::size_t>(row.kind) != i || row.ofFamily != (i >= kPersonEventCount)) {
      return false;
    }
    if (row.ofFamily ? (row.familyDate == nullptr || row.familyPlace == nullptr)
                     : (row.personDate == nullptr || row.personPlace == nullptr)) {
      return false;
    }
    if (row.standIn >= 0 &&
        kEventRows[static_cast<std::size_t>(row.standIn)].ofFamily != row.ofFamily) {
      return false;
    }
  }
  return true;
}());

constexpr const EventRow& EventRowOf(EventKind kind) {
  return kEventRows[static_cast<std::size_t>(kind)];
}

// The rows of the events a person or a family holds, in table order.
template <typename Record>
constexpr std::span<const EventRow> EventRowsOf() {
  static_assert(std::is_same_v<Record, Person> || std::is_same_v<Record, Family>);
  if constexpr (std::is_same_v<Record, Person>) {
    return std::span<const EventRow>(kEventRows.data(), kPersonEventCount);
  } else {
    return std::span<const EventRow>(kEventRows.data() + kPersonEventCount,
                                     kEventRows.size() - kPersonEventCount);
  }
}

// The row of a person's (or a family's) event with this level-1 tag; null for any other tag.
template <typename Record>
constexpr const EventRow* FindEventRow(std::string_view tag) {
  for (const EventRow& row : EventRowsOf<Record>()) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}

// The has-date bits of all person events.
inline constexpr std::uint32_t AnyEventDateFlags = [] {
  std::uint32_t flags = 0;
  for (const EventRow& row : EventRowsOf<Person>()) flags |= row.dateFlag;
  return flags;
}();

// The date and place fields of an event of `record` (a Person or a Family, const or not;
// the row must be one of that record's). Called with a constant row, the access is as
// direct as naming the field.
template <typename Record>
constexpr auto& DateOf(Record& record, const EventRow& row) {
  if constexpr (std::is_same_v<std::remove_const_t<Record>, Person>) {
    return record.*row.personDate;
  } else {
    return record.*row.familyDate;
  }
}
template <typename Record>
constexpr auto& PlaceOf(Record& record, const EventRow& row) {
  if constexpr (std::is_same_v<std::remove_const_t<Record>, Person>) {
    return record.*row.personPlace;
  } else {
    return record.*row.familyPlace;
  }
}

// The row that stands in for `row`, or null.
constexpr const EventRow* StandInOf(const EventRow& row) {
  return row.standIn < 0 ? nullptr : &kEventRows[static_cast<std::size_t>(row.standIn)];
}

// The event's date when it has a year, else that of its stand-in (a birth without a year
// gives the christening date, which may be empty too).
constexpr PackedDate DatedOrStandIn(const Person& person, EventKind kind) {
  const EventRow& row = EventRowOf(kind);
  const PackedDate date = DateOf(person, row);
  const EventRow* standIn = StandInOf(row);
  return date.Year() != 0 || standIn == nullptr ? date : DateOf(person, *standIn);
}

// The event's place when it is not empty, else that of its stand-in (which may be null).
constexpr const char* PlaceOrStandIn(const Person& person, EventKind kind) {
  const EventRow& row = EventRowOf(kind);
  const char* place = PlaceOf(person, row);
  const EventRow* standIn = StandInOf(row);
  return (place != nullptr && *place != 0) || standIn == nullptr ? place
                                                                 : PlaceOf(person, *standIn);
}

}  // namespace korvane
