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

inline PackedDate Date(int year, int month = 0, int day = 0) {
  return PackedDate::Make(year, month, day);
}

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
  struct Fields {
    PackedDate Person::*date;
    const char* Person::*place;
    std::uint32_t dateFlag;
    std::uint32_t placeFlag;
  };
  static constexpr Fields kFields[] = {
      {&Person::birthDate, &Person::birthPlace, HasBirthDateFlag, HasBirthPlaceFlag},
      {&Person::chrDate, &Person::chrPlace, HasChrDateFlag, HasChrPlaceFlag},
      {&Person::deathDate, &Person::deathPlace, HasDeathDateFlag, HasDeathPlaceFlag},
      {&Person::burialDate, &Person::burialPlace, HasBurialDateFlag, HasBurialPlaceFlag}};
  const Fields& fields = kFields[static_cast<int>(event)];
  Person& person = store.personTable[rin];
  person.*fields.date = date;
  if (date.Year() != 0) person.flags |= fields.dateFlag;
  if (place != nullptr) {
    person.*fields.place = InternText(store.texts, TextPoolId::Places, place);
    person.flags |= fields.placeFlag;
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
  family.flags |= (husband != 0 ? HasHusbandFlag : 0) | (wife != 0 ? HasWifeFlag : 0) |
                  (marriage.Year() != 0 ? HasMarriageDateFlag : 0);
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
  if (wife != 0) ListAppend(store.personTable[wife].fams, mrin);
  return mrin;
}

}  // namespace korvane::store_test
