#include "store/report_lines.h"

#include <string>

#include "dates/format_date.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane {
namespace {

bool HasText(const char* text) { return text != nullptr && *text != 0; }

const char* FirstPresent(const char* first, const char* second) {
  return HasText(first) ? first : second;
}

// Appends " <marker> <date> " and, in place mode, the place; false when the date has no
// text, so the caller can fall back to the next event.
bool AppendDated(Diagnostics& d, const char* format, PackedDate date, const char* place,
                 bool places) {
  const std::string text = FormatDate(date, DateForm::DisplayForm);
  if (text.empty()) return false;
  d.ReportAppend(format, text.c_str());
  if (places) d.ReportAppend("%s", place);
  return true;
}

void AppendLonePlace(Diagnostics& d, const Person& p) {
  if (HasText(p.birthPlace)) {
    d.ReportAppend("* %s", p.birthPlace);
  } else if (HasText(p.chrPlace)) {
    d.ReportAppend("~ %s", p.chrPlace);
  } else if (HasText(p.deathPlace)) {
    d.ReportAppend("+ %s", p.deathPlace);
  } else if (HasText(p.burialPlace)) {
    d.ReportAppend("_ %s", p.burialPlace);
  }
}

void AppendBirthPart(Diagnostics& d, const Person& p, int mode) {
  const bool places = mode & kLinePlaces;
  if (mode & kLineFullDates) {
    if (!AppendDated(d, " * %s ", p.birthDate, p.birthPlace, places)) {
      AppendDated(d, " ~ %s ", p.chrDate, p.chrPlace, places);
    }
    AppendDated(d, " + %s ", p.deathDate, p.deathPlace, places);
  } else if ((mode & kLineDeath) && DeathYearOf(p) != 0) {
    d.ReportAppend(" %d-%d ", BirthYearOf(p), DeathYearOf(p));
    if (places) d.ReportAppend("%s", p.deathPlace);
  } else {
    d.ReportAppend(" *%d ", BirthYearOf(p));
    if (places) d.ReportAppend("%s", FirstPresent(p.birthPlace, p.chrPlace));
  }
}

void AppendDeathPart(Diagnostics& d, const Person& p, int mode) {
  const bool places = mode & kLinePlaces;
  if (mode & kLineFullDates) {
    if (!AppendDated(d, " + %s ", p.deathDate, p.deathPlace, places)) {
      AppendDated(d, " _ %s ", p.burialDate, p.burialPlace, places);
    }
  } else {
    d.ReportAppend(" +%d ", p.deathDate.Year());
    if (places) d.ReportAppend("%s", FirstPresent(p.deathPlace, p.burialPlace));
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
  } else if ((mode & kLineDeath) && p.deathDate.Year() != 0) {
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
