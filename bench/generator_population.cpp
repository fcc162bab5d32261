#include "bench/generator_population.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "bench/generator_names.h"

namespace korvane::bench {
namespace {

// Tuned so that a population reaches the target after 11 to 13 generations, i.e. with the
// youngest persons born in the 20th century.
constexpr int kPersonsPerFounder = 45;
constexpr int kIsolatedPerMille = 15;
// Weights of 0..10 children per couple; mean 2.5 before the mother's age and the present
// year cut a family short.
constexpr int kChildWeights[] = {21, 19, 19, 14, 10, 6, 4, 3, 2, 1, 1};
constexpr int kChildDeathPercent = 15;
constexpr int kMarryPercent = 90;
// Most partners come from the same researched population, as in a village family book.
constexpr int kOutsidePartnerPercent = 10;
constexpr int kRemarryPercent = 15;

// Spelling changes as they appear between registers of different parishes and centuries.
constexpr std::pair<std::string_view, std::string_view> kSpellings[] = {
    {"ü", "ue"},     {"ö", "oe"},   {"ä", "ae"}, {"ß", "ss"}, {"dt", "tt"}, {"ck", "k"},
    {"ei", "ey"},    {"ai", "ay"},  {"mm", "m"}, {"nn", "n"}, {"tz", "z"},  {"th", "t"},
    {"ie", "i"},     {"C", "K"},    {"K", "C"},  {"ll", "l"}, {"ff", "f"},  {"ss", "ß"},
    {"mann", "man"}, {"er", "ehr"}, {"i", "y"},  {"s", "ß"},
};

class PopulationBuilder {
 public:
  PopulationBuilder(int personCount, GeneratorRandom& random)
      : random_(random),
        target_(personCount),
        linkedTarget_(personCount - personCount * kIsolatedPerMille / 1000) {}

  Population Build() {
    pop_.persons.reserve(static_cast<std::size_t>(target_) + 1);
    pop_.families.reserve(static_cast<std::size_t>(target_) / 2 + 1);
    pop_.persons.emplace_back();
    pop_.families.emplace_back();
    const int founders = std::max(2, linkedTarget_ / kPersonsPerFounder);
    std::vector<int> generation = AddFounders(founders, 1600);
    while (!LinkedFull()) {
      // A line that died out or reached the present makes room for a new group of
      // founders, as a second research branch in the same file would.
      if (generation.empty() || P(generation[generation.size() / 2]).birthYear > 1960) {
        generation = AddFounders(std::max(2, founders / 4), 1600 + random_.Range(0, 80));
        continue;
      }
      std::vector<int> next;
      MarryGeneration(generation, next);
      generation = std::move(next);
    }
    while (Count() < target_) {
      const char sex = random_.PerMille(10) ? 'U' : (random_.Percent(50) ? 'M' : 'F');
      AddPerson(sex, random_.Range(1600, 1950), NewSurname(), RandomPlace(), 0);
    }
    FinishLifespans();
    return std::move(pop_);
  }

 private:
  int Count() const { return static_cast<int>(pop_.persons.size()) - 1; }
  bool LinkedFull() const { return Count() >= linkedTarget_; }
  GenPerson& P(int id) { return pop_.persons[static_cast<std::size_t>(id)]; }
  int RandomPlace() { return random_.PickIndex(Places()); }

  int AddPerson(char sex, int birthYear, std::string surname, int place, int famc) {
    GenPerson person;
    person.surname = std::move(surname);
    person.sex = sex;
    person.birthYear = static_cast<std::int16_t>(birthYear);
    person.place = static_cast<std::int16_t>(place);
    person.famc = famc;
    const std::size_t names = (sex == 'F' ? FemaleGivenNames() : MaleGivenNames()).size();
    const int roll = random_.Range(0, 9);
    person.givenCount = static_cast<std::uint8_t>(roll < 6 ? 1 : roll < 9 ? 2 : 3);
    for (auto& given : person.given)
      given = static_cast<std::uint8_t>(random_.Below(static_cast<std::uint32_t>(names)));
    pop_.persons.push_back(std::move(person));
    return Count();
  }

  // Most surnames of a large file are rare: base names with regional endings, double names
  // and spelling variants give tens of thousands of distinct spellings.
  std::string NewSurname() {
    const auto bases = Surnames();
    std::string name(random_.Pick(bases));
    const int roll = random_.Range(0, 99);
    if (roll < 30) return name;
    if (roll < 62) {
      const std::string_view suffix = random_.Pick(SurnameSuffixes());
      if (name.back() == 'e' && suffix.front() == 'e') name.pop_back();
      if (!name.ends_with(suffix)) name += suffix;
      return random_.Percent(30) ? VariantOf(name) : name;
    }
    if (roll < 85) return name + "-" + std::string(random_.Pick(bases));
    if (roll < 90) return (random_.Percent(70) ? "von " : "vom ") + name;
    return VariantOf(name);
  }

  // One or two spelling changes, as a name drifts between registers over the generations.
  std::string VariantOf(std::string name) {
    const std::size_t count = std::size(kSpellings);
    for (int changes = random_.Percent(40) ? 2 : 1; changes > 0; --changes) {
      const std::size_t start = random_.Below(static_cast<std::uint32_t>(count));
      std::size_t i = 0;
      for (; i < count; ++i) {
        const auto& [from, to] = kSpellings[(start + i) % count];
        const std::size_t at = name.find(from);
        if (at != std::string::npos) {
          name.replace(at, from.size(), to);
          break;
        }
      }
      if (i == count) name += 's';
    }
    return name;
  }

  std::vector<int> AddFounders(int count, int aroundYear) {
    std::vector<int> founders;
    for (int i = 0; i < count && !LinkedFull(); ++i) {
      const char sex = i % 2 == 0 ? 'M' : 'F';
      founders.push_back(
          AddPerson(sex, aroundYear + random_.Range(-20, 20), NewSurname(), RandomPlace(), 0));
    }
    return founders;
  }

  // A spouse from outside the researched lines: no parents in the file.
  int AddInLaw(int partner) {
    const GenPerson& p = P(partner);
    const bool husband = p.sex == 'F';
    const int birth = p.birthYear + (husband ? random_.Range(-10, 3) : random_.Range(-3, 10));
    const int place = random_.Percent(60) ? p.place : RandomPlace();
    return AddPerson(husband ? 'M' : 'F', birth, NewSurname(), place, 0);
  }

  void MarryGeneration(const std::vector<int>& generation, std::vector<int>& next) {
    std::vector<int> males, females, singles;
    for (const int id : generation) {
      const GenPerson& p = P(id);
      if (p.deathYear != 0 || p.sex == 'U' || !random_.Percent(kMarryPercent)) continue;
      if (random_.Percent(kOutsidePartnerPercent)) {
        singles.push_back(id);
      } else {
        (p.sex == 'M' ? males : females).push_back(id);
      }
    }
    auto byBirth = [this](int a, int b) {
      return std::pair(P(a).birthYear, a) < std::pair(P(b).birthYear, b);
    };
    std::sort(males.begin(), males.end(), byBirth);
    std::sort(females.begin(), females.end(), byBirth);
    // Pair neighbours in age; a sibling or a partner too far apart in age marries outside.
    std::vector<std::pair<int, int>> couples;
    std::size_t i = 0, j = 0;
    while (i < males.size() && j < females.size()) {
      const GenPerson& m = P(males[i]);
      const GenPerson& f = P(females[j]);
      if (m.birthYear + 12 < f.birthYear || (m.famc != 0 && m.famc == f.famc)) {
        singles.push_back(males[i++]);
      } else if (f.birthYear + 6 < m.birthYear) {
        singles.push_back(females[j++]);
      } else {
        couples.emplace_back(males[i++], females[j++]);
      }
    }
    singles.insert(singles.end(), males.begin() + static_cast<std::ptrdiff_t>(i), males.end());
    singles.insert(singles.end(), females.begin() + static_cast<std::ptrdiff_t>(j), females.end());
    for (const int id : singles) couples.emplace_back(P(id).sex == 'M' ? id : 0, id);
    std::sort(couples.begin(), couples.end(), [this](auto a, auto b) {
      return std::pair(P(a.second).birthYear, a.second) <
             std::pair(P(b.second).birthYear, b.second);
    });
    for (auto [husband, wife] : couples) {
      if (LinkedFull()) return;
      int marriageYear = P(wife).birthYear + random_.Range(19, 30);
      if (husband != 0 && husband != wife)
        marriageYear = std::max<int>(marriageYear, P(husband).birthYear + 20);
      if (marriageYear > kPresentYear) continue;
      if (husband == wife) {  // a man who marries outside
        wife = AddInLaw(husband);
      } else if (husband == 0 && !random_.Percent(4)) {
        husband = AddInLaw(wife);
      }
      // The partner from outside may be younger than the one who chose the year.
      const int youngest = std::max(P(husband ? husband : wife).birthYear, P(wife).birthYear);
      marriageYear = std::min(std::max(marriageYear, youngest + 18), kPresentYear);
      const int family = AddFamily(husband, wife, marriageYear, next);
      if (husband != 0 && random_.Percent(kRemarryPercent)) Remarry(family, next);
    }
  }

  int AddFamily(int husband, int wife, int marriageYear, std::vector<int>& next) {
    GenFamily family;
    family.husband = husband;
    family.wife = wife;
    family.marriageYear = static_cast<std::int16_t>(marriageYear);
    family.place = random_.Percent(70) ? P(husband ? husband : wife).place : P(wife).place;
    pop_.families.push_back(family);
    const int id = static_cast<int>(pop_.families.size()) - 1;
    int lastEvent = marriageYear;
    int children = 0;
    for (int roll = random_.Range(0, 99); roll >= kChildWeights[children]; ++children)
      roll -= kChildWeights[children];
    const std::string surname = P(husband ? husband : wife).surname;
    // A first child in the year of the wedding is rare enough to stay a check finding.
    int year = marriageYear + (random_.Percent(10) ? 0 : random_.Range(1, 2));
    pop_.families.back().firstChild = Count() + 1;
    const int lastBirthYear = std::min(P(wife).birthYear + 45, kPresentYear);
    for (int k = 0; k < children && !LinkedFull() && year <= lastBirthYear; ++k) {
      const char sex = random_.PerMille(5) ? 'U' : (random_.Percent(51) ? 'M' : 'F');
      std::string name = random_.Percent(8) ? VariantOf(surname) : surname;
      const int place = random_.Percent(85) ? family.place : RandomPlace();
      const int child = AddPerson(sex, year, std::move(name), place, id);
      GenPerson& c = P(child);
      // Children often carry the first name of the parent of their sex.
      const int parent = sex == 'M' ? husband : sex == 'F' ? wife : 0;
      if (parent != 0 && random_.Percent(20)) c.given[0] = P(parent).given[0];
      if (random_.Percent(kChildDeathPercent))
        c.deathYear = static_cast<std::int16_t>(year + random_.Range(0, 6));
      next.push_back(child);
      ++pop_.families[static_cast<std::size_t>(id)].childCount;
      lastEvent = year;
      year += random_.Range(1, 3);
    }
    for (const int parent : {husband, wife}) {
      if (parent == 0) continue;
      GenPerson& p = P(parent);
      p.fams[p.famsCount++] = id;
      p.lastEventYear = static_cast<std::int16_t>(std::max<int>(p.lastEventYear, lastEvent));
    }
    return id;
  }

  // One partner dies and the other marries again, usually someone from outside.
  void Remarry(int family, std::vector<int>& next) {
    const GenFamily f = pop_.families[static_cast<std::size_t>(family)];
    const bool widower = random_.Percent(60);
    GenPerson& dead = P(widower ? f.wife : f.husband);
    const int deathYear = dead.lastEventYear + random_.Range(0, 3);
    const int year = deathYear + random_.Range(1, 2);
    if (LinkedFull() || year > kPresentYear) return;
    dead.deathYear = static_cast<std::int16_t>(deathYear);
    const int survivor = widower ? f.husband : f.wife;
    const int spouse = AddInLaw(survivor);
    // A widower often married a much younger woman, but never a child.
    int birth = P(spouse).birthYear;
    if (widower) birth = P(survivor).birthYear + random_.Range(3, 18);
    P(spouse).birthYear = static_cast<std::int16_t>(std::min(birth, year - random_.Range(18, 25)));
    AddFamily(widower ? survivor : spouse, widower ? spouse : survivor, year, next);
  }

  void FinishLifespans() {
    for (std::size_t id = 1; id < pop_.persons.size(); ++id) {
      GenPerson& p = pop_.persons[id];
      if (p.deathYear == 0) {
        const int age = random_.Percent(15) ? random_.Range(15, 45) : random_.Range(45, 92);
        p.deathYear = static_cast<std::int16_t>(std::max(p.birthYear + age, p.lastEventYear + 1));
      }
      if (p.deathYear > kPresentYear) p.deathYear = 0;
    }
  }

  GeneratorRandom& random_;
  int target_;
  int linkedTarget_;
  Population pop_;
};

}  // namespace

Population BuildPopulation(int personCount, GeneratorRandom& random) {
  return PopulationBuilder(std::max(0, personCount), random).Build();
}

}  // namespace korvane::bench
