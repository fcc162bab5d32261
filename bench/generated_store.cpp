#include "bench/generated_store.h"

#include <random>
#include <string>

#include "store/flags.h"

namespace korvane::bench {
namespace {

constexpr const char* kSurnames[] = {
    "Müller",     "Schmidt",  "Schneider", "Fischer", "Weber",   "Meyer",      "Wagner",
    "Becker",     "Schulz",   "Hoffmann",  "Schäfer", "Koch",    "Bauer",      "Richter",
    "Klein",      "Wolf",     "Schröder",  "Neumann", "Schwarz", "Zimmermann", "Braun",
    "Krüger",     "Hofmann",  "Hartmann",  "Lange",   "Schmitt", "Werner",     "Schmitz",
    "Krause",     "Meier",    "Lehmann",   "Schmid",  "Schulze", "Maier",      "Köhler",
    "Herrmann",   "König",    "Walter",    "Mayer",   "Huber",   "Kaiser",     "Fuchs",
    "Peters",     "Lang",     "Scholz",    "Möller",  "Weiß",    "Jung",       "Hahn",
    "Schubert",   "Vogel",    "Friedrich", "Keller",  "Günther", "Frank",      "Berger",
    "Winkler",    "Roth",     "Beck",      "Lorenz",  "Baumann", "Franke",     "Albrecht",
    "Schuster",   "Simon",    "Ludwig",    "Böhm",    "Winter",  "Kraus",      "Martin",
    "Schumacher", "Krämer",   "Vogt",      "Stein",   "Jäger",   "Otto",       "Sommer",
    "Groß",       "Seidel",   "Heinrich",  "Brandt",  "Haas",    "Schreiber",  "Graf",
    "Schulte",    "Dietrich", "Ziegler",   "Kuhn",    "Kühn",    "Pohl",       "Engel",
    "Horn",       "Busch",    "Bergmann",  "Thomas",  "Voigt",   "Sauer",      "Arnold",
    "Wolff",      "Pfeiffer"};
constexpr const char* kGivenNames[] = {
    "Johann",     "Anna",      "Maria",     "Georg",   "Elisabeth", "Friedrich", "Margaretha",
    "Heinrich",   "Catharina", "Wilhelm",   "Barbara", "Karl",      "Sophie",    "Christian",
    "Dorothea",   "Jakob",     "Magdalena", "Peter",   "Christina", "Michael",   "Eva",
    "Andreas",    "Susanna",   "Martin",    "Helene",  "Joseph",    "Luise",     "Franz",
    "Wilhelmine", "Ludwig",    "Auguste",   "August",  "Johanna",   "Philipp",   "Rosina",
    "Adam",       "Regina",    "Konrad",    "Ursula",  "Matthias"};

template <typename T, std::size_t N>
const T& Pick(const T (&items)[N], std::mt19937& rng) {
  return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

PackedDate RandomDate(std::mt19937& rng, int fromYear, int toYear) {
  std::uniform_int_distribution<int> percent(0, 99);
  const int kind = percent(rng);
  if (kind < 15) return {};
  const int year = std::uniform_int_distribution<int>(fromYear, toYear)(rng);
  if (kind < 35) return PackedDate::Make(year);
  const int month = std::uniform_int_distribution<int>(1, 12)(rng);
  if (kind < 45) return PackedDate::Make(year, month);
  return PackedDate::Make(year, month, std::uniform_int_distribution<int>(1, 28)(rng));
}

}  // namespace

void GenerateStore(Store& store, int persons, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> percent(0, 99);
  for (int i = 0; i < persons; ++i) {
    const Rin rin = store.AddPerson();
    Person& p = store.personTable[rin];
    std::string surname = Pick(kSurnames, rng);
    if (percent(rng) < 30) surname += std::to_string(percent(rng));  // more distinct names
    p.surname = InternText(store.texts, TextPoolId::Surnames, surname);
    p.givenNames = InternText(store.texts, TextPoolId::GivenNames,
                              std::string(Pick(kGivenNames, rng)) + " " + Pick(kGivenNames, rng));
    p.sex = percent(rng) < 50 ? 'M' : 'F';
    p.birthDate = RandomDate(rng, 1600, 1950);
    if (p.birthDate.Year() == 0) p.chrDate = RandomDate(rng, 1600, 1950);
    p.deathDate = RandomDate(rng, 1650, 2000);
    p.flags |= HasGivenNamesFlag | HasSurnameFlag;
  }
  // Couples of neighbouring persons with their next neighbours as children.
  for (Rin rin = 1; rin + 3 <= store.PersonCount(); rin += 3) {
    const Mrin mrin = store.AddFamily();
    Family& family = store.familyTable[mrin];
    family.husband = rin;
    family.wife = rin + 1;
    family.marriageDate = RandomDate(rng, 1620, 1970);
    ListAppend(family.children, rin + 2);
    ListAppend(store.personTable[rin].fams, mrin);
    ListAppend(store.personTable[rin + 1].fams, mrin);
    ListAppend(store.personTable[rin + 2].famc, mrin);
  }
}

}  // namespace korvane::bench
