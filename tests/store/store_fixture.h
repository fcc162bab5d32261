#pragma once

// Builders for small worlds of persons and families. They keep the presence bits in step
// with the fields, as the import does.

#include <initializer_list>
#include <vector>

#include "dates/packed_date.h"
#include "store/flags.h"
#include "store/link_list.h"
#include "store/store.h"
#include "store/text_pool.h"

namespace korvane::store_test {

enum class Event { Birth, Chr, Death, Burial };

inline LinkList MakeList(std::initializer_list<std::int32_t> values) {
  LinkList list;
  for (std::int32_t value : values) ListAppend(list, value);
  return list;
}

inline std::vector<std::int32_t> Entries(const LinkList& list) {
  return {list.begin(), list.end()};
}

// A present person; a null name stays null (the file gave none).
inline Rin NewPerson(Store& store, const char* givenNames, const char* surname, char sex = 0) {
  const Rin rin = store.AddPerson();
  Person& person = store.personTable[rin];
  if (givenNames != nullptr) {
    person.givenNames = InternText(store.texts, TextPoolId::GivenNames, givenNames);
    person.flags |= HasGivenNamesFlag;
  }
  if (surname != nullptr) {
    person.surname = InternText(store.texts, TextPoolId::Surnames, surname);
    person.flags |= HasSurnameFlag;
  }
  person.sex = sex;
  return rin;
}

inline void SetEvent(Store& store, Rin rin, Event event, PackedDate date,
                     const char* place = nullptr) {
  Person& p = store.personTable[rin];
  struct Target {
    PackedDate* date;
    const char** place;
    std::uint32_t dateFlag;
    std::uint32_t placeFlag;
  };
  const Target target =
      event == Event::Birth
          ? Target{&p.birthDate, &p.birthPlace, HasBirthDateFlag, HasBirthPlaceFlag}
      : event == Event::Chr ? Target{&p.chrDate, &p.chrPlace, HasChrDateFlag, HasChrPlaceFlag}
      : event == Event::Death
          ? Target{&p.deathDate, &p.deathPlace, HasDeathDateFlag, HasDeathPlaceFlag}
          : Target{&p.burialDate, &p.burialPlace, HasBurialDateFlag, HasBurialPlaceFlag};
  *target.date = date;
  if (date.Year() != 0) p.flags |= target.dateFlag;
  if (place != nullptr) {
    *target.place = InternText(store.texts, TextPoolId::Places, place);
    p.flags |= target.placeFlag;
  }
}

// A present family; the partners get it as spouse family, the children as parent family.
inline Mrin NewFamily(Store& store, Rin husband, Rin wife, std::initializer_list<Rin> children = {},
                      PackedDate marriage = {}, const char* place = nullptr) {
  const Mrin mrin = store.AddFamily();
  Family& family = store.familyTable[mrin];
  family.husband = husband;
  family.wife = wife;
  family.marriageDate = marriage;
  if (husband != 0) family.flags |= HasHusbandFlag;
  if (wife != 0) family.flags |= HasWifeFlag;
  if (marriage.Year() != 0) family.flags |= HasMarriageDateFlag;
  if (place != nullptr) {
    family.marriagePlace = InternText(store.texts, TextPoolId::Places, place);
    family.flags |= HasMarriagePlaceFlag;
  }
  for (Rin child : children) {
    ListAppend(family.children, child);
    ListAppend(store.personTable[child].famc, mrin);
    family.flags |= HasChildrenFlag;
  }
  if (husband != 0) ListAppend(store.personTable[husband].fams, mrin);
  if (wife != 0 && wife != husband) ListAppend(store.personTable[wife].fams, mrin);
  return mrin;
}

}  // namespace korvane::store_test
