#pragma once

#include "store/flags.h"
#include "store/store.h"

namespace korvane {

// True for 1 <= rin <= PersonCount with the present flag set.
inline bool PersonExists(const Store& store, Rin rin) {
  return rin >= 1 && rin <= store.PersonCount() && (store.personTable[rin].flags & PresentFlag);
}
inline bool FamilyExists(const Store& store, Mrin mrin) {
  return mrin >= 1 && mrin <= store.FamilyCount() && (store.familyTable[mrin].flags & PresentFlag);
}

// Entry `i` of the person's spouse families, 0 when there is none.
Mrin FamsAt(const Person& person, int i);

// Husband / wife of the person's `i`-th parent family; 0 when there is none.
Rin FatherOf(const Store& store, Rin rin, int i);
Rin MotherOf(const Store& store, Rin rin, int i);

// The partner in the person's `i`-th spouse family: the husband for a woman, otherwise
// the wife (a person of unknown sex counts as a husband).
Rin SpouseOf(const Store& store, Rin rin, int i);

// Year of the marriage of the person's `i`-th spouse family; 0 when there is none.
int MarriageYearOf(const Store& store, const Person& person, int i);

// Year of birth, or of christening when the birth has none; 0 when neither has one.
int BirthYearOf(const Person& person);
// Year of death, or of burial when the death has none; 0 when neither has one.
int DeathYearOf(const Person& person);

// A birth year for persons without one, estimated from the marriage, the first children
// (further down the generations when needed), the parents or the spouse; 0 when nothing
// gives one. Ends on every data, also where a person is their own descendant.
int EstimatedBirthYear(const Store& store, Rin rin);

}  // namespace korvane
