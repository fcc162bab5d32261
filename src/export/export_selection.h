#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/store.h"

namespace korvane {

// A person is exported when present and selected; a family when present and its husband
// or its wife is exported.
bool IsPersonExported(const Store& store, Rin rin);
bool IsFamilyExported(const Store& store, Mrin mrin);

// Finds the record a level-0 line of the records file stands for, by the position behind
// that line (its RecordOffset). This holds for records the reader had to renumber too.
class RecordIndex {
 public:
  explicit RecordIndex(const Store& store);
  Rin PersonAt(std::uint64_t offset) const { return Find(persons_, offset); }
  Mrin FamilyAt(std::uint64_t offset) const { return Find(families_, offset); }

 private:
  struct Entry {
    std::uint64_t offset;
    std::int32_t number;
  };
  static std::int32_t Find(const std::vector<Entry>& entries, std::uint64_t offset);

  std::vector<Entry> persons_;
  std::vector<Entry> families_;
};

// The link lines of one person or family, written from the tables: the k-th FAMS, FAMC
// or CHIL line of the record stands for the k-th entry of its list, HUSB and WIFE for the
// partner. Links to records that are not exported are left out.
class RecordLinks {
 public:
  RecordLinks(const Store& store, bool family, std::int32_t number);

  static bool IsLinkTag(std::string_view tag);
  // The line that replaces the next line with `tag`, or empty when it is left out.
  std::string Next(std::string_view tag);
  // Lines for the entries of `tag` that no line of the record stood for.
  std::vector<std::string> Remaining(std::string_view tag);

 private:
  struct List {
    std::string_view tag;
    std::vector<std::int32_t> entries;
    bool toFamilies;
    std::size_t used = 0;
  };
  List* Find(std::string_view tag);
  std::string LineFor(const List& list, std::int32_t entry) const;

  const Store& store_;
  std::vector<List> lists_;
};

}  // namespace korvane
