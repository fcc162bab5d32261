#include "export/export_selection.h"

#include <algorithm>

#include "gedcom/reference_index.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane {

ExportSelection::ExportSelection(const Store& store)
    : persons_(store.personTable.size(), 0), families_(store.familyTable.size(), 0) {
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    const Person& p = store.personTable[rin];
    persons_[rin] = PersonExists(store, rin) && (p.flags & SelectedFlag) != 0;
    if ((p.flags & PresentFlag) && p.recordOffset != 0) {
      personOffsets_.push_back({p.recordOffset, rin});
    } else if (persons_[rin]) {
      personsWithoutLines_.push_back(rin);
    }
  }
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    families_[mrin] =
        FamilyExists(store, mrin) && (PersonWritten(f.husband) || PersonWritten(f.wife) ||
                                      std::any_of(f.children.begin(), f.children.end(),
                                                  [&](Rin child) { return PersonWritten(child); }));
    if ((f.flags & PresentFlag) && f.recordOffset != 0) {
      familyOffsets_.push_back({f.recordOffset, mrin});
    } else if (families_[mrin]) {
      familiesWithoutLines_.push_back(mrin);
    }
  }
  auto byOffset = [](const Entry& a, const Entry& b) { return a.offset < b.offset; };
  for (std::vector<Entry>* entries : {&personOffsets_, &familyOffsets_}) {
    if (!std::is_sorted(entries->begin(), entries->end(), byOffset)) {
      std::sort(entries->begin(), entries->end(), byOffset);
    }
  }
}

std::int32_t ExportSelection::Find(const std::vector<Entry>& entries, std::uint64_t offset,
                                   std::size_t& next) {
  if (next < entries.size() && entries[next].offset == offset) return entries[next++].number;
  const auto it = std::lower_bound(entries.begin(), entries.end(), offset,
                                   [](const Entry& e, std::uint64_t o) { return e.offset < o; });
  if (it == entries.end() || it->offset != offset) return 0;
  next = static_cast<std::size_t>(it - entries.begin()) + 1;
  return it->number;
}

RecordLinks::RecordLinks(const Store& store, const ExportSelection& selection, bool family,
                         std::int32_t number)
    : selection_(selection) {
  if (family) {
    const Family& f = store.FamilyRecord(number);
    partners_[0] = f.husband;
    partners_[1] = f.wife;
    lists_[0] = {"HUSB", partners_, partners_ + 1, false};
    lists_[1] = {"WIFE", partners_ + 1, partners_ + 2, false};
    lists_[2] = {"CHIL", f.children.begin(), f.children.end(), false};
    listCount_ = 3;
  } else {
    const Person& p = store.PersonRecord(number);
    lists_[0] = {"FAMS", p.fams.begin(), p.fams.end(), true};
    lists_[1] = {"FAMC", p.famc.begin(), p.famc.end(), true};
    listCount_ = 2;
  }
}

bool RecordLinks::IsLinkTag(std::string_view tag) { return LinkTagOf(tag) != LinkTag::None; }

RecordLinks::List* RecordLinks::Find(std::string_view tag) {
  for (int i = 0; i < listCount_; ++i) {
    if (lists_[i].tag == tag) return &lists_[i];
  }
  return nullptr;
}

std::string RecordLinks::LineFor(const List& list, std::int32_t entry) const {
  const bool exported =
      list.toFamilies ? selection_.FamilyWritten(entry) : selection_.PersonWritten(entry);
  if (!exported) return {};
  std::string line = "1 ";
  line += list.tag;
  line += list.toFamilies ? " @F" : " @I";
  line += std::to_string(entry);
  line += '@';
  return line;
}

std::string RecordLinks::Next(std::string_view tag) {
  List* list = Find(tag);
  if (list == nullptr || list->begin == list->end) return {};
  return LineFor(*list, *list->begin++);
}

std::vector<std::string> RecordLinks::Remaining(std::string_view tag) {
  std::vector<std::string> lines;
  List* list = Find(tag);
  if (list == nullptr) return lines;
  for (; list->begin != list->end; ++list->begin) {
    std::string line = LineFor(*list, *list->begin);
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace korvane
