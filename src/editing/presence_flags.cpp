#include "editing/presence_flags.h"

#include <cstdint>

#include "store/flags.h"

namespace korvane {
namespace {

bool HasText(const char* text) { return text != nullptr && *text != 0; }

void Mirror(std::uint32_t& flags, std::uint32_t bit, bool present) {
  flags = present ? flags | bit : flags & ~bit;
}

void RefreshFamily(Family& family) {
  if (family.husband != 0) family.flags |= HasHusbandFlag;
  if (family.wife != 0) family.flags |= HasWifeFlag;
  if (!family.children.Empty()) family.flags |= HasChildrenFlag;
  if (family.marriageDate.Year() != 0) family.flags |= HasMarriageDateFlag;
  if (HasText(family.marriagePlace)) family.flags |= HasMarriagePlaceFlag;
}

}  // namespace

void RefreshPresenceFlags(Store& store, Rin rin) {
  if (rin < 1 || rin > store.PersonCount()) return;
  Person& p = store.personTable[rin];
  // An absent name stays absent (null): the record should read as before when nothing
  // was typed.
  if (p.sex != 0) p.flags |= HasSexFlag;
  Mirror(p.flags, HasGivenNamesFlag, HasText(p.givenNames));
  Mirror(p.flags, HasSurnameFlag, HasText(p.surname));
  Mirror(p.flags, HasBirthDateFlag, p.birthDate.Year() != 0);
  Mirror(p.flags, HasBirthPlaceFlag, HasText(p.birthPlace));
  Mirror(p.flags, HasChrDateFlag, p.chrDate.Year() != 0);
  Mirror(p.flags, HasChrPlaceFlag, HasText(p.chrPlace));
  Mirror(p.flags, HasDeathDateFlag, p.deathDate.Year() != 0);
  Mirror(p.flags, HasDeathPlaceFlag, HasText(p.deathPlace));
  Mirror(p.flags, HasBurialDateFlag, p.burialDate.Year() != 0);
  Mirror(p.flags, HasBurialPlaceFlag, HasText(p.burialPlace));
  for (const LinkList* list : {&p.famc, &p.fams}) {
    for (const Mrin mrin : *list) {
      if (mrin >= 1 && mrin <= store.FamilyCount()) RefreshFamily(store.familyTable[mrin]);
    }
  }
}

}  // namespace korvane
