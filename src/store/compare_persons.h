#pragma once

#include "dates/packed_date.h"
#include "store/store.h"

namespace korvane {

// The keys of ComparePersons. A positive result puts the first argument first.
enum SortKey : int {
  kSortByRin = 0,
  kSortByName = 1,             // surname, then given names
  kSortByGivenNames = 2,       // given names, then surname
  kSortByBirthYear = 3,        // birth (or christening) year, then name
  kSortByBirthPlace = 4,       // birth (or christening) place, then as key 3
  kSortByDeathYear = 5,        // death (or burial) year, then name
  kSortByDeathPlace = 6,       // death (or burial) place, then as key 5
  kSortByMarriageYear = 7,     // year of the first marriage, then name
  kSortByMarriagePlace = 8,    // place of the first marriage, then as key 7
  kSortByHusbandSurname = 11,  // families: surname of the husband
  kSortByChildCount = 12,      // largest child count among the spouse families
  kSortByFamsCount = 13,
  kSortByFamcCount = 14,
  kSortByAgeAtDeath = 15,
  kSortByAgeAtMarriage = 16,
  kSortByBirthDate = 17,  // whole dates, earlier first
  kSortByDeathDate = 18,
  kSortByMarriageDate = 19,  // families
};

// 1 when both dates have a year and x's is greater, or the years are equal and (both
// having one) x's month is greater, or years and months are equal and (both having one)
// x's day is greater; otherwise 0.
int IsLater(PackedDate x, PackedDate y);

// The shared comparison for sorting persons (families for keys 11 and 19) by `key`.
// Keys 9, 10 and those outside 0..19 compare everything as equal.
int ComparePersons(const Store& store, Rin a, Rin b, int key);

}  // namespace korvane
