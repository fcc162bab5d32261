#include "export/export_selection.h"

#include <algorithm>

#include "store/accessors.h"
#include "store/flags.h"

namespace korvane {

bool IsPersonExported(const Store& store, Rin rin) {
  return PersonExists(store, rin) && (store.personTable[rin].flags & SelectedFlag) != 0;
}

bool IsFamilyExported(const Store& store, Mrin mrin) {
  if (!FamilyExists(store, mrin)) return false;
  const Family& family = store.familyTable[mrin];
  return IsPersonExported(store, family.husband) || IsPersonExported(store, family.wife);
}

RecordIndex::RecordIndex(const Store& store) {
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    const Person& p = store.personTable[rin];
    if ((p.flags & PresentFlag) && p.recordOffset != 0) persons_.push_back({p.recordOffset, rin});
  }
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    if ((f.flags & PresentFlag) && f.recordOffset != 0) {
      families_.push_back({f.recordOffset, mrin});
    }
  }
  auto byOffset = [](const Entry& a, const Entry& b) { return a.offset < b.offset; };
  std::sort(persons_.begin(), persons_.end(), byOffset);
  std::sort(families_.begin(), families_.end(), byOffset);
}

std::int32_t RecordIndex::Find(const std::vector<Entry>& entries, std::uint64_t offset) {
  const auto it = std::lower_bound(entries.begin(), entries.end(), offset,
                                   [](const Entry& e, std::uint64_t o) { return e.offset < o; });
  return it != entries.end() && it->offset == offset ? it->number : 0;
}

RecordLinks::RecordLinks(const Store& store, bool family, std::int32_t number) : store_(store) {
  auto toVector = [](const LinkList& list) {
    return std::vector<std::int32_t>(list.begin(), list.end());
  };
  if (family) {
    const Family& f = store.FamilyRecord(number);
    lists_.push_back({"HUSB", {f.husband}, false});
    lists_.push_back({"WIFE", {f.wife}, false});
    lists_.push_back({"CHIL", toVector(f.children), false});
  } else {
    const Person& p = store.PersonRecord(number);
    lists_.push_back({"FAMS", toVector(p.fams), true});
    lists_.push_back({"FAMC", toVector(p.famc), true});
  }
}

bool RecordLinks::IsLinkTag(std::string_view tag) {
  return tag == "FAMS" || tag == "FAMC" || tag == "CHIL" || tag == "HUSB" || tag == "WIFE";
}

RecordLinks::List* RecordLinks::Find(std::string_view tag) {
  for (List& list : lists_) {
    if (list.tag == tag) return &list;
  }
  return nullptr;
}

std::string RecordLinks::LineFor(const List& list, std::int32_t entry) const {
  const bool exported =
      list.toFamilies ? IsFamilyExported(store_, entry) : IsPersonExported(store_, entry);
  if (!exported) return {};
  return "1 " + std::string(list.tag) + (list.toFamilies ? " @F" : " @I") +
         std::to_string(entry) + "@";
}

std::string RecordLinks::Next(std::string_view tag) {
  List* list = Find(tag);
  if (list == nullptr || list->used >= list->entries.size()) return {};
  return LineFor(*list, list->entries[list->used++]);
}

std::vector<std::string> RecordLinks::Remaining(std::string_view tag) {
  std::vector<std::string> lines;
  List* list = Find(tag);
  if (list == nullptr) return lines;
  for (; list->used < list->entries.size(); ++list->used) {
    std::string line = LineFor(*list, list->entries[list->used]);
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace korvane
