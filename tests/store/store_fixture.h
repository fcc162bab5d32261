#pragma once

// Builders for small worlds of persons and families. They keep the presence bits in step
// with the fields, as the import does. Also used by the view tests.

#include <cstdint>
#include <initializer_list>

#include "dates/packed_date.h"
#include "store/flags.h"
#include "store/link_list.h"
#include "store/store.h"
#include "store/text_pool.h"

namespace korvane::store_test {

enum class Event { Birth, Chr, Death, Burial };

inline PackedDate Date(int year, int month = 0, int day = 0) {
  return PackedDate::Make(year, month, day);
}

// The interned text with its presence bit set in `flags`; a null text stays null.
inline const char* Intern(Store& store, TextPoolId pool, const char* text, std::uint32_t& flags,
                          std::uint32_t bit) {
  if (text == nullptr) return nullptr;
  flags |= bit;
  return InternText(store.texts, pool, text);
}

// A present person; a null name stays null (the file gave none).
inline Rin NewPerson(Store& store, const char* givenNames, const char* surname, char sex = 0) {
  const Rin rin = store.AddPerson();
  Person& p = store.personTable[rin];
  p.givenNames = Intern(store, TextPoolId::GivenNames, givenNames, p.flags, HasGivenNamesFlag);
  p.surname = Intern(store, TextPoolId::Surnames, surname, p.flags, HasSurnameFlag);
  p.sex = sex;
  return rin;
}

inline void SetEvent(Store& store, Rin rin, Event event, PackedDate date,
                     const char* place = nullptr) {
  Person& p = store.personTable[rin];
  const int i = static_cast<int>(event);
  PackedDate* const dates[] = {&p.birthDate, &p.chrDate, &p.deathDate, &p.burialDate};
  const char** const places[] = {&p.birthPlace, &p.chrPlace, &p.deathPlace, &p.burialPlace};
  const std::uint32_t flags[][2] = {{HasBirthDateFlag, HasBirthPlaceFlag},
                                    {HasChrDateFlag, HasChrPlaceFlag},
                                    {HasDeathDateFlag, HasDeathPlaceFlag},
                                    {HasBurialDateFlag, HasBurialPlaceFlag}};
  *dates[i] = date;
  if (date.Year() != 0) p.flags |= flags[i][0];
  if (place != nullptr) *places[i] = Intern(store, TextPoolId::Places, place, p.flags, flags[i][1]);
}

// A present family; the partners get it as spouse family, the children as parent family.
inline Mrin NewFamily(Store& store, Rin husband, Rin wife, std::initializer_list<Rin> children = {},
                      PackedDate marriage = {}, const char* place = nullptr) {
  const Mrin mrin = store.AddFamily();
  Family& family = store.familyTable[mrin];
  family.husband = husband;
  family.wife = wife;
  family.marriageDate = marriage;
  family.flags |= (husband != 0 ? HasHusbandFlag : 0) | (wife != 0 ? HasWifeFlag : 0) |
                  (marriage.Year() != 0 ? HasMarriageDateFlag : 0);
  family.marriagePlace =
      Intern(store, TextPoolId::Places, place, family.flags, HasMarriagePlaceFlag);
  for (Rin child : children) {
    ListAppend(family.children, child);
    ListAppend(store.personTable[child].famc, mrin);
    family.flags |= HasChildrenFlag;
  }
  if (husband != 0) ListAppend(store.personTable[husband].fams, mrin);
  if (wife != 0) ListAppend(store.personTable[wife].fams, mrin);
  return mrin;
}

}  // namespace korvane::store_test
