#include "store/compare_persons.h"

#include <algorithm>

#include "store/accessors.h"
#include "store/events.h"
#include "text/compare_text.h"

namespace korvane {
namespace {

constexpr int kTextLimit = 1000;

// Missing texts are equal among themselves and smaller than any present text.
int CompareFieldTexts(const char* a, const char* b) {
  if (a == b) return 0;
  if (a == nullptr) return -1;
  if (b == nullptr) return 1;
  return CompareText(a, b, kTextLimit);
}

int CompareNames(const Person& a, const Person& b) {
  if (const int c = CompareFieldTexts(a.surname, b.surname)) return c;
  return CompareFieldTexts(a.givenNames, b.givenNames);
}

int CompareGivenNamesFirst(const Person& a, const Person& b) {
  if (const int c = CompareFieldTexts(a.givenNames, b.givenNames)) return c;
  return CompareFieldTexts(a.surname, b.surname);
}

const char* BirthOrChrPlace(const Person& p) { return PlaceOrStandIn(p, EventKind::Birth); }

const char* DeathOrBurialPlace(const Person& p) { return PlaceOrStandIn(p, EventKind::Death); }

int CompareBirthYears(const Person& a, const Person& b) {
  if (const int c = BirthYearOf(b) - BirthYearOf(a)) return c;
  return CompareNames(a, b);
}

int CompareDeathYears(const Person& a, const Person& b) {
  if (const int c = DeathYearOf(b) - DeathYearOf(a)) return c;
  return CompareNames(a, b);
}

int CompareMarriageYears(const Store& store, const Person& a, const Person& b) {
  if (a.fams.Empty()) return -1;
  if (b.fams.Empty()) return 1;
  if (const int c = MarriageYearOf(store, b, 0) - MarriageYearOf(store, a, 0)) return c;
  return CompareNames(a, b);
}

const char* FirstMarriagePlace(const Store& store, const Person& p) {
  const Mrin mrin = FamsAt(p, 0);
  return mrin == 0 ? nullptr : PlaceOf(store.FamilyRecord(mrin), EventRowOf(EventKind::Marriage));
}

int LargestChildCount(const Store& store, const Person& p) {
  int largest = 0;
  for (const Mrin mrin : p.fams)
    largest = std::max(largest, store.FamilyRecord(mrin).children.Count());
  return largest;
}

// Difference of two spans between years; 0 when any of the four years is missing.
int CompareAges(int startA, int endA, int startB, int endB) {
  if (startA == 0 || endA == 0 || startB == 0 || endB == 0) return 0;
  return (endA - startA) - (endB - startB);
}

PackedDate BirthOrChrDate(const Person& p) { return DatedOrStandIn(p, EventKind::Birth); }

PackedDate DeathOrBurialDate(const Person& p) { return DatedOrStandIn(p, EventKind::Death); }

PackedDate MarriageDateOf(const Store& store, Mrin mrin) {
  return DateOf(store.FamilyRecord(mrin), EventRowOf(EventKind::Marriage));
}

int CompareHusbandSurnames(const Store& store, Mrin a, Mrin b) {
  const Family& fa = store.FamilyRecord(a);
  const Family& fb = store.FamilyRecord(b);
  if (fa.husband == 0 || fb.husband == 0) return 0;
  const char* surnameA = store.PersonRecord(fa.husband).surname;
  const char* surnameB = store.PersonRecord(fb.husband).surname;
  if (surnameA == nullptr || surnameA == surnameB) return 0;
  return CompareText(surnameB, surnameA, kTextLimit);
}

}  // namespace

int IsLater(PackedDate x, PackedDate y) {
  if (x.Year() != 0 && y.Year() != 0 && x.Year() > y.Year()) return 1;
  if (x.Year() != y.Year()) return 0;
  if (x.Month() != 0 && y.Month() != 0 && x.Month() > y.Month()) return 1;
  if (x.Month() != y.Month()) return 0;
  return x.Day() != 0 && y.Day() != 0 && x.Day() > y.Day() ? 1 : 0;
}

int ComparePersons(const Store& store, Rin a, Rin b, int key) {
  if (key == kSortByRin) return a - b;
  if (key == kSortByHusbandSurname) return CompareHusbandSurnames(store, a, b);
  if (key == kSortByMarriageDate) {
    return IsLater(MarriageDateOf(store, b), MarriageDateOf(store, a));
  }
  const Person& pa = store.PersonRecord(a);
  const Person& pb = store.PersonRecord(b);
  switch (key) {
    case kSortByName:
      return CompareNames(pa, pb);
    case kSortByGivenNames:
      return CompareGivenNamesFirst(pa, pb);
    case kSortByBirthYear:
      return CompareBirthYears(pa, pb);
    case kSortByBirthPlace:
      if (const int c = CompareFieldTexts(BirthOrChrPlace(pa), BirthOrChrPlace(pb))) return c;
      return CompareBirthYears(pa, pb);
    case kSortByDeathYear:
      return CompareDeathYears(pa, pb);
    case kSortByDeathPlace:
      if (const int c = CompareFieldTexts(DeathOrBurialPlace(pa), DeathOrBurialPlace(pb))) {
        return c;
      }
      return CompareDeathYears(pa, pb);
    case kSortByMarriageYear:
      return CompareMarriageYears(store, pa, pb);
    case kSortByMarriagePlace:
      if (const int c =
              CompareFieldTexts(FirstMarriagePlace(store, pa), FirstMarriagePlace(store, pb))) {
        return c;
      }
      return CompareMarriageYears(store, pa, pb);
    case kSortByChildCount:
      return LargestChildCount(store, pa) - LargestChildCount(store, pb);
    case kSortByFamsCount:
      return pa.fams.Count() - pb.fams.Count();
    case kSortByFamcCount:
      return pa.famc.Count() - pb.famc.Count();
    case kSortByAgeAtDeath:
      return CompareAges(BirthYearOf(pa), DeathYearOf(pa), BirthYearOf(pb), DeathYearOf(pb));
    case kSortByAgeAtMarriage:
      return CompareAges(BirthYearOf(pa), MarriageYearOf(store, pa, 0), BirthYearOf(pb),
                         MarriageYearOf(store, pb, 0));
    case kSortByBirthDate:
      return IsLater(BirthOrChrDate(pb), BirthOrChrDate(pa));
    case kSortByDeathDate:
      return IsLater(DeathOrBurialDate(pb), DeathOrBurialDate(pa));
    default:
      return 0;
  }
}

}  // namespace korvane
