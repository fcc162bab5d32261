#include "store/report_lines.h"

#include <string>

#include "dates/format_date.h"
#include "store/accessors.h"
#include "store/events.h"

namespace korvane {
namespace {

bool HasText(const char* text) { return text != nullptr && *text != 0; }

// Appends " <letter> <date> " and, in place mode, the place; false when the date has no
// text, so the caller can fall back to the next event.
bool AppendDated(Diagnostics& d, const Person& p, EventKind kind, bool places) {
  const EventRow& row = EventRowOf(kind);
  const std::string text = FormatDate(DateOf(p, row), DateForm::DisplayForm);
  if (text.empty()) return false;
  d.ReportAppend(" %s%s ", row.letter, text.c_str());
  if (places) d.ReportAppend("%s", PlaceOf(p, row));
  return true;
}

// The event's whole date, or its stand-in's when the event's gives no text.
void AppendDatedOrStandIn(Diagnostics& d, const Person& p, EventKind kind, bool places) {
  const EventRow* standIn = StandInOf(EventRowOf(kind));
  if (!AppendDated(d, p, kind, places) && standIn != nullptr) {
    AppendDated(d, p, standIn->kind, places);
  }
}

// " *1850 " with the year (never 0 here) and, in place mode, the place or its stand-in's.
void AppendYear(Diagnostics& d, const Person& p, EventKind kind, int year, bool places) {
  d.ReportAppend(" %.1s%d ", EventRowOf(kind).letter, year);
  if (places) d.ReportAppend("%s", PlaceOrStandIn(p, kind));
}

// The first event place of the person, for persons without any event date.
void AppendLonePlace(Diagnostics& d, const Person& p) {
  for (const EventRow& row : EventRowsOf<Person>()) {
    if (const char* place = PlaceOf(p, row); HasText(place)) {
      d.ReportAppend("%s%s", row.letter, place);
      return;
    }
  }
}

void AppendBirthPart(Diagnostics& d, const Person& p, int mode) {
  const bool places = mode & kLinePlaces;
  if (mode & kLineFullDates) {
    AppendDatedOrStandIn(d, p, EventKind::Birth, places);
    AppendDated(d, p, EventKind::Death, places);  // the burial does not stand in here
  } else if ((mode & kLineDeath) && DeathYearOf(p) != 0) {
    d.ReportAppend(" %d-%d ", BirthYearOf(p), DeathYearOf(p));
    if (places) d.ReportAppend("%s", PlaceOf(p, EventRowOf(EventKind::Death)));
  } else {
    AppendYear(d, p, EventKind::Birth, BirthYearOf(p), places);
  }
}

void AppendDeathPart(Diagnostics& d, const Person& p, int mode) {
  const bool places = mode & kLinePlaces;
  if (mode & kLineFullDates) {
    AppendDatedOrStandIn(d, p, EventKind::Death, places);
  } else {
    AppendYear(d, p, EventKind::Death, DateOf(p, EventRowOf(EventKind::Death)).Year(), places);
  }
}

}  // namespace

void AppendPersonLine(Diagnostics& d, const Store& store, const char* prefix, int mode, Rin rin) {
  const Person& p = store.PersonRecord(rin);
  d.ReportAppend("%s", prefix);
  if (mode & kLineRinFirst) d.ReportAppend("[%d] ", rin);
  d.ReportAppend("%s ", p.givenNames);
  d.ReportAppend("%s ", p.surname);
  if ((mode & kLinePlaces) && (p.flags & AnyEventDateFlags) == 0) AppendLonePlace(d, p);
  if ((mode & kLineBirth) && BirthYearOf(p) != 0) {
    AppendBirthPart(d, p, mode);
  } else if ((mode & kLineDeath) && DateOf(p, EventRowOf(EventKind::Death)).Year() != 0) {
    AppendDeathPart(d, p, mode);
  }
  if (mode & kLineRinLast) d.ReportAppend(" [%d]", rin);
  if (mode & kLineBreak) d.ReportAppend("\r\n");
}

void AppendFamilyLine(Diagnostics& d, const Store& store, const char* prefix, Mrin mrin) {
  const Family& family = store.FamilyRecord(mrin);
  d.ReportAppend("%s", prefix);
  d.ReportAppend(" Fam [%d] ", mrin);
  if (family.husband != 0) {
    const Person& husband = store.PersonRecord(family.husband);
    d.ReportAppend("%s %s ", husband.givenNames, husband.surname);
  }
  if (family.wife != 0) {
    const Person& wife = store.PersonRecord(family.wife);
    d.ReportAppend("- %s %s ", wife.givenNames, wife.surname);
  }
}

void AppendRelatives(Diagnostics& d, const Store& store, int mode, Rin rin) {
  const Person& p = store.PersonRecord(rin);
  if (mode & kRelativesLeadingBreak) d.ReportAppend("\r\n");
  if (mode & kRelativesParents) {
    if (const Rin father = FatherOf(store, rin, 0)) {
      const Person& f = store.PersonRecord(father);
      d.ReportAppend(" Vater: %s %s ", f.givenNames, f.surname);
    }
    if (const Rin mother = MotherOf(store, rin, 0)) {
      const Person& m = store.PersonRecord(mother);
      d.ReportAppend(" Mutter: %s %s ", m.givenNames, m.surname);
    }
  }
  if (mode & kRelativesMarriageYear) d.ReportAppend(" &%d ", MarriageYearOf(store, p, 0));
  if ((mode & kRelativesSpouses) && SpouseOf(store, rin, 0) != 0) {
    for (int i = 0; i < p.fams.Count(); ++i) {
      const Person& spouse = store.PersonRecord(SpouseOf(store, rin, i));
      d.ReportAppend(i == 0 ? " Ehepartner: %s %s " : ", %s %s ", spouse.givenNames,
                     spouse.surname);
    }
  }
  if (mode & kRelativesTrailingBreak) d.ReportAppend("\r\n");
}

}  // namespace korvane
