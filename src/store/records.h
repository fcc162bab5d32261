#pragma once

#include <cstdint>

#include "dates/packed_date.h"
#include "store/link_list.h"
#include "store/record_numbers.h"

namespace korvane {

// A person as the program holds it: names, sex, four events and the links. Everything
// else stays in the GEDCOM file, found again through `recordOffset`. Texts point into the
// store's TextPool; null means the file gave none. The fields are ordered so that a
// person takes 128 bytes without gaps.
struct Person {
  std::uint64_t recordOffset = 0;  // first line after "0 @I..@ INDI"; 0 = made in the program
  std::uint32_t flags = 0;
  PackedDate birthDate;
  const char* surname = nullptr;
  const char* givenNames = nullptr;
  const char* birthPlace = nullptr;
  const char* chrPlace = nullptr;
  const char* deathPlace = nullptr;
  const char* burialPlace = nullptr;
  PackedDate chrDate;
  PackedDate deathDate;
  PackedDate burialDate;
  char sex = 0;     // the letter of the SEX line as read; 0 = none
  LinkList fams;    // families in which the person is a spouse
  LinkList famc;    // families in which the person is a child
  LinkList merged;  // persons merged into this one
};
static_assert(sizeof(void*) != 8 || sizeof(Person) == 128);

struct Family {
  std::uint64_t recordOffset = 0;  // first line after "0 @F..@ FAM"; 0 = made in the program
  std::uint32_t flags = 0;
  Rin husband = 0;
  Rin wife = 0;
  PackedDate marriageDate;
  const char* marriagePlace = nullptr;
  LinkList children;  // in file order; doubles are kept
  LinkList merged;    // families merged into this one
};

}  // namespace korvane
