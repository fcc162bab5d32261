#include "bench/gedcom_generator.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "bench/gedcom_sink.h"
#include "bench/generator_names.h"
#include "bench/generator_population.h"
#include "bench/generator_random.h"

namespace korvane::bench {
namespace {

constexpr std::string_view kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string_view CharsetName(GeneratedEncoding encoding) {
  switch (encoding) {
    case GeneratedEncoding::Cp1252:
      return "ANSI";
    case GeneratedEncoding::Utf16Le:
    case GeneratedEncoding::Utf16Be:
      return "UNICODE";
    case GeneratedEncoding::Utf8:
    case GeneratedEncoding::Utf8NoBom:
      break;
  }
  return "UTF-8";
}

std::string_view TownOf(std::string_view place) { return place.substr(0, place.find(',')); }

struct Day {
  int year;
  int month;  // 1..12
  int day;    // 1..28, valid in every month
};

class GedcomWriter {
 public:
  GedcomWriter(const GeneratorOptions& options, const Population& pop, GedcomSink& sink)
      : options_(options),
        pop_(pop),
        sink_(sink),
        random_(options.seed ^ 0x9E3779B9u),
        sources_(std::min(400, 50 + options.persons / 1000)),
        notes_(10 + options.persons / 2000) {}

  void Write() {
    WriteHeader();
    for (int id = 1; id <= sources_; ++id) WriteSource(id);
    for (int id = 1; id <= notes_; ++id) WriteNoteRecord(id);
    for (std::size_t id = 1; id < pop_.persons.size(); ++id) WritePerson(static_cast<int>(id));
    for (std::size_t id = 1; id < pop_.families.size(); ++id) WriteFamily(static_cast<int>(id));
    sink_.Line(0, "TRLR");
  }

 private:
  void WriteHeader() {
    sink_.Line(0, "HEAD");
    sink_.Line(1, "SOUR", "KORVANE");
    sink_.Line(2, "VERS", "0.1");
    sink_.Line(2, "NAME", "Korvane Testdatengenerator");
    sink_.Line(1, "DEST", "ANY");
    sink_.Line(1, "DATE", "1 JAN 2024");
    sink_.Line(2, "TIME", "12:00:00");
    sink_.Pointer(1, "SUBM", 'U', 1);
    sink_.Line(1, "GEDC");
    sink_.Line(2, "VERS", "5.5");
    sink_.Line(2, "FORM", "LINEAGE-LINKED");
    sink_.Line(1, "CHAR", CharsetName(options_.encoding));
    sink_.Line(1, "LANG", "German");
    sink_.Line(1, "PLAC");
    sink_.Line(2, "FORM", "Ort, Region, Land");
    sink_.Record('U', 1, "SUBM");
    sink_.Line(1, "NAME", "Arbeitskreis Familienforschung Süd");
    sink_.Line(1, "ADDR", "Mühlenweg 3");
    sink_.Line(2, "CONT", "79098 Freiburg im Breisgau");
    sink_.Line(1, "LANG", "German");
  }

  void WriteSource(int id) {
    const std::string_view kind = random_.Pick(SourceKinds());
    const std::string_view town = TownOf(random_.Pick(Places()));
    // Civil registers begin in 1876; church books reach back to the founders.
    const int from =
        kind.starts_with("Stand") ? random_.Range(1876, 1920) : random_.Range(1580, 1900);
    const int to = std::min(from + random_.Range(20, 120), 1990);
    sink_.Record('S', id, "SOUR");
    sink_.Line(1, "TITL",
               Join({kind, " ", town, " ", std::to_string(from), "–", std::to_string(to)}));
    std::string author = kind.starts_with("Ev.")     ? "Ev. Pfarramt "
                         : kind.starts_with("Kath.") ? "Kath. Pfarramt "
                         : kind.starts_with("Stand") ? "Standesamt "
                                                     : "Stadtarchiv ";
    sink_.Line(1, "AUTH", author.append(town));
    if (random_.Percent(30))
      sink_.Line(1, "PUBL", "Mikrofilm Nr. " + std::to_string(random_.Range(100000, 999999)));
    if (random_.Percent(10)) sink_.Line(1, "NOTE", random_.Pick(NoteSentences()));
  }

  void WriteNoteRecord(int id) {
    sink_.Record('N', id, "NOTE", random_.Pick(NoteSentences()));
    for (int lines = random_.Range(0, 3); lines > 0; --lines)
      sink_.Line(1, "CONT", random_.Pick(NoteSentences()));
  }

  void WritePerson(int id) {
    const GenPerson& p = pop_.persons[static_cast<std::size_t>(id)];
    const auto givenList = p.sex == 'F' ? FemaleGivenNames() : MaleGivenNames();
    std::string given(givenList[p.given[0]]);
    for (int i = 1; i < p.givenCount; ++i) given.append(" ").append(givenList[p.given[i]]);
    sink_.Record('I', id, "INDI");
    sink_.Line(1, "NAME", Join({given, " /", p.surname, "/"}));
    sink_.Line(2, "GIVN", given);
    sink_.Line(2, "SURN", p.surname);
    sink_.Line(1, "SEX", std::string_view(&p.sex, 1));
    const Day birth = RandomDay(p.birthYear);
    if (random_.Percent(90)) WriteEvent("BIRT", birth, false, p.place, 92, 40, 10);
    if (random_.Percent(15)) WriteEvent("CHR", Later(birth, 0, 6), true, p.place, 100, 35, 15);
    if (p.deathYear != 0 && random_.Percent(78)) {
      Day death = RandomDay(p.deathYear);
      if (death.year == birth.year &&
          (death.month < birth.month || (death.month == birth.month && death.day < birth.day)))
        death = Later(birth, 1, 20);  // an infant death stays after the birth
      const int place = random_.Percent(80) ? p.place : random_.PickIndex(Places());
      WriteEvent("DEAT", death, false, place, 90, 35, 10);
      if (random_.Percent(20)) WriteEvent("BURI", Later(death, 2, 4), true, place, 85, 30, 8);
    }
    const bool adult = p.deathYear == 0 || p.deathYear - p.birthYear >= 16;
    if (adult && p.sex != 'U' && random_.Percent(20))
      sink_.Line(1, "OCCU", random_.Pick(p.sex == 'F' ? FemaleOccupations() : MaleOccupations()));
    if (p.famc != 0) sink_.Pointer(1, "FAMC", 'F', p.famc);
    for (int i = 0; i < p.famsCount; ++i) sink_.Pointer(1, "FAMS", 'F', p.fams[i]);
    if (random_.Percent(4)) WriteInlineNote();
    if (random_.Percent(2)) sink_.Pointer(1, "NOTE", 'N', RandomNumber(notes_));
    if (random_.Percent(12)) WriteChange();
  }

  void WriteFamily(int id) {
    const GenFamily& f = pop_.families[static_cast<std::size_t>(id)];
    sink_.Record('F', id, "FAM");
    if (f.husband != 0) sink_.Pointer(1, "HUSB", 'I', f.husband);
    sink_.Pointer(1, "WIFE", 'I', f.wife);
    if (random_.Percent(85))
      WriteEvent("MARR", RandomDay(f.marriageYear), false, f.place, 90, 45, 15);
    for (int i = 0; i < f.childCount; ++i) sink_.Pointer(1, "CHIL", 'I', f.firstChild + i);
    if (random_.Percent(5)) WriteChange();
  }

  void WriteEvent(std::string_view tag, const Day& day, bool exactOnly, int place, int datePercent,
                  int placePercent, int sourcePercent) {
    sink_.Line(1, tag);
    if (random_.Percent(datePercent)) sink_.Line(2, "DATE", FormatDate(day, exactOnly));
    if (random_.Percent(placePercent))
      sink_.Line(2, "PLAC", Places()[static_cast<std::size_t>(place)]);
    if (random_.Percent(sourcePercent)) {
      sink_.Pointer(2, "SOUR", 'S', RandomNumber(sources_));
      if (random_.Percent(70))
        sink_.Line(3, "PAGE",
                   Join({"S. ", std::to_string(random_.Range(1, 480)), ", Nr. ",
                         std::to_string(random_.Range(1, 60))}));
    }
  }

  // A note written the way programs break long texts: lines via CONT, and now and then a
  // line split inside a word via CONC.
  void WriteInlineNote() {
    const std::string first(random_.Pick(NoteSentences()));
    std::size_t split = first.size();
    if (random_.Percent(25)) {
      // Never next to a space (readers may trim it) nor inside a UTF-8 sequence.
      split = first.size() / 2;
      while (split < first.size() && (first[split] == ' ' || first[split - 1] == ' ' ||
                                      (static_cast<unsigned char>(first[split]) & 0xC0) == 0x80))
        ++split;
    }
    sink_.Line(1, "NOTE", std::string_view(first).substr(0, split));
    if (split < first.size()) sink_.Line(2, "CONC", std::string_view(first).substr(split));
    for (int lines = random_.Range(1, 3); lines > 0; --lines)
      sink_.Line(2, "CONT", random_.Pick(NoteSentences()));
  }

  void WriteChange() {
    sink_.Line(1, "CHAN");
    sink_.Line(2, "DATE", FormatDate(RandomDay(random_.Range(2012, 2023)), true));
    char time[9] = {};
    const int hour = random_.Range(7, 23), minute = random_.Range(0, 59);
    const int second = random_.Range(0, 59);
    for (const auto& [pos, value] :
         {std::pair{0, hour}, std::pair{3, minute}, std::pair{6, second}}) {
      time[pos] = static_cast<char>('0' + value / 10);
      time[pos + 1] = static_cast<char>('0' + value % 10);
      if (pos < 6) time[pos + 2] = ':';
    }
    sink_.Line(3, "TIME", std::string_view(time, 8));
  }

  Day RandomDay(int year) { return {year, random_.Range(1, 12), random_.Range(1, 28)}; }

  // Baptism and burial follow within days; staying inside the month keeps the date valid.
  Day Later(Day day, int minDays, int maxDays) {
    day.day = std::min(28, day.day + random_.Range(minDays, maxDays));
    return day;
  }

  // The date forms of research files: mostly exact, then month or year only, then estimates.
  std::string FormatDate(const Day& day, bool exactOnly) {
    const std::string year = std::to_string(day.year);
    const std::string_view month = kMonths[day.month - 1];
    const int form = exactOnly ? random_.Range(0, 71) : random_.Range(0, 99);
    if (form < 62) return Join({std::to_string(day.day), " ", month, " ", year});
    if (form < 72) return Join({month, " ", year});
    if (form < 84) return year;
    if (form < 93) return "ABT " + year;
    if (form < 97) return "BEF " + year;
    return "AFT " + year;
  }

  int RandomNumber(int count) {
    return 1 + static_cast<int>(random_.Below(static_cast<std::uint32_t>(count)));
  }

  static std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) text += part;
    return text;
  }

  const GeneratorOptions& options_;
  const Population& pop_;
  GedcomSink& sink_;
  GeneratorRandom random_;
  int sources_;
  int notes_;
};

}  // namespace

bool GenerateGedcom(const GeneratorOptions& options, std::ostream& out, GeneratedCounts* counts) {
  // The population and the record details draw from separate streams, so a change in how
  // records are written leaves the family structure of a seed unchanged.
  GeneratorRandom populationRandom(options.seed);
  const Population pop = BuildPopulation(options.persons, populationRandom);
  GedcomSink sink(out, options.encoding, options.crlf);
  GedcomWriter(options, pop, sink).Write();
  if (counts != nullptr) {
    counts->persons = static_cast<int>(pop.persons.size()) - 1;
    counts->families = static_cast<int>(pop.families.size()) - 1;
  }
  return sink.Finish();
}

}  // namespace korvane::bench
