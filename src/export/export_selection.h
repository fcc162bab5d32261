#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/store.h"

namespace korvane {

// What an export writes: a person when present and selected, a family when present and
// any of its members (husband, wife or a child) is written, so that a child keeps the
// family it comes from even when its parents are unknown. Decided once for the whole
// export. Also finds the record a level-0 line of the records file stands for, by the
// position behind that line (its RecordOffset), which holds for records the reader had to
// renumber too.
class ExportSelection {
 public:
  explicit ExportSelection(const Store& store);

  bool PersonWritten(Rin rin) const { return Flag(persons_, rin); }
  bool FamilyWritten(Mrin mrin) const { return Flag(families_, mrin); }
  // A pass over the file keeps a cursor: records are met in file order, so the next
  // record is nearly always the entry behind the last one found.
  struct Cursor {
    std::size_t person = 0;
    std::size_t family = 0;
  };
  Rin PersonAt(std::uint64_t offset, Cursor& cursor) const {
    return Find(personOffsets_, offset, cursor.person);
  }
  Mrin FamilyAt(std::uint64_t offset, Cursor& cursor) const {
    return Find(familyOffsets_, offset, cursor.family);
  }
  // The written records without lines in the records file, in number order: made in the
  // program, or left out of the export that wrote the file. Written from the tables.
  const std::vector<Rin>& PersonsWithoutLines() const { return personsWithoutLines_; }
  const std::vector<Mrin>& FamiliesWithoutLines() const { return familiesWithoutLines_; }

 private:
  struct Entry {
    std::uint64_t offset;
    std::int32_t number;
  };
  static bool Flag(const std::vector<char>& flags, std::int32_t number) {
    return number > 0 && number < static_cast<std::int32_t>(flags.size()) && flags[number];
  }
  static std::int32_t Find(const std::vector<Entry>& entries, std::uint64_t offset,
                           std::size_t& next);

  std::vector<char> persons_;
  std::vector<char> families_;
  std::vector<Entry> personOffsets_;
  std::vector<Entry> familyOffsets_;
  std::vector<Rin> personsWithoutLines_;
  std::vector<Mrin> familiesWithoutLines_;
};

// The link lines of one person or family, written from the tables: the k-th FAMS, FAMC
// or CHIL line of the record stands for the k-th entry of its list, HUSB and WIFE for the
// partner. Links to records that are not exported are left out.
class RecordLinks {
 public:
  RecordLinks(const Store& store, const ExportSelection& selection, bool family,
              std::int32_t number);
  RecordLinks(const RecordLinks&) = delete;  // its lists may point into itself
  RecordLinks& operator=(const RecordLinks&) = delete;

  static bool IsLinkTag(std::string_view tag);
  // The line that replaces the next line with `tag`, or empty when it is left out.
  std::string Next(std::string_view tag);
  // Lines for the entries of `tag` that no line of the record stood for.
  std::vector<std::string> Remaining(std::string_view tag);

 private:
  struct List {
    std::string_view tag;
    const std::int32_t* begin = nullptr;  // the record's own list, or one of partners_
    const std::int32_t* end = nullptr;
    bool toFamilies = false;
  };
  List* Find(std::string_view tag);
  std::string LineFor(const List& list, std::int32_t entry) const;

  const ExportSelection& selection_;
  std::int32_t partners_[2] = {0, 0};  // husband and wife of a family
  List lists_[3];
  int listCount_ = 0;
};

}  // namespace korvane
