#pragma once

#include <cstdint>
#include <vector>

#include "store/records.h"
#include "store/text_pool.h"

namespace korvane {

// Merges, corrections and replacements since the last load or export.
struct ChangeCounters {
  std::int32_t merges = 0;        // "Verschmelzungen"
  std::int32_t corrections = 0;   // "Korrekturen"
  std::int32_t replacements = 0;  // "Ersetzungen"
};

// All genealogical data of the loaded file. Records are indexed by their number; record 0
// of each table is the zero record that stands for "none". Numbers up to the counts that
// the file never defined are zero records without the present flag, like deleted ones.
// The tables grow with the data, so creating a record never fails for lack of room.
struct Store {
  Store() : personTable(1), familyTable(1) {}

  std::vector<Person> personTable;
  std::vector<Family> familyTable;
  TextPool texts;
  ChangeCounters changeCounters;
  std::int32_t baselinePersonCount = 0;  // PersonCount right after the last load

  // The highest numbers in use.
  Rin PersonCount() const { return static_cast<Rin>(personTable.size() - 1); }
  Mrin FamilyCount() const { return static_cast<Mrin>(familyTable.size() - 1); }

  // The record, or the zero record for a number outside the table, so that a link that
  // points nowhere reads as "none" instead of outside memory.
  const Person& PersonRecord(Rin rin) const {
    return rin > 0 && rin <= PersonCount() ? personTable[rin] : personTable[0];
  }
  const Family& FamilyRecord(Mrin mrin) const {
    return mrin > 0 && mrin <= FamilyCount() ? familyTable[mrin] : familyTable[0];
  }

  // Back to no data at all, as before the first load.
  void Clear();

  // Makes the tables hold numbers up to `count` (zero records are added).
  void EnsurePersonCount(Rin count);
  void EnsureFamilyCount(Mrin count);

  // A new present record with the number count + 1.
  Rin AddPerson();
  Mrin AddFamily();
};

}  // namespace korvane
