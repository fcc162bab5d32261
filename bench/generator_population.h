#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/generator_random.h"

namespace korvane::bench {

inline constexpr int kPresentYear = 2024;

struct GenPerson {
  std::string surname;
  std::array<std::uint8_t, 3> given{};  // indices into the given names of the person's sex
  std::uint8_t givenCount = 1;
  char sex = 'M';  // 'M', 'F' or 'U'
  std::int16_t birthYear = 0;
  std::int16_t deathYear = 0;      // 0 while open; after building 0 means still living
  std::int16_t lastEventYear = 0;  // latest marriage or child birth: death cannot precede it
  std::int16_t place = 0;          // index into Places()
  int famc = 0;
  std::array<int, 2> fams{};
  std::uint8_t famsCount = 0;
};

struct GenFamily {
  int husband = 0;  // 0 for the families where only the mother is known
  int wife = 0;
  std::int16_t marriageYear = 0;
  std::int16_t place = 0;
  int firstChild = 0;  // the children of a family are numbered consecutively
  int childCount = 0;
};

// Persons and families with 1-based numbers (element 0 of each vector is unused).
struct Population {
  std::vector<GenPerson> persons;
  std::vector<GenFamily> families;
};

// Grows a population forward in time from founders born around 1600 until exactly
// `personCount` persons exist; about 1.5 % of them stay without any family link.
Population BuildPopulation(int personCount, GeneratorRandom& random);

}  // namespace korvane::bench
