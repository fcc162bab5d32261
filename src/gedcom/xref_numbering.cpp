#include "gedcom/xref_numbering.h"

#include <algorithm>

#include "gedcom/ged_line.h"

namespace korvane {
namespace {

bool IsXref(std::string_view text) {
  return text.size() >= 3 && text.front() == '@' && text.back() == '@';
}

}  // namespace

std::int32_t XrefNumbering::LinkValue(std::string_view value) {
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  if (!IsXref(value)) return 0;
  const auto [id, added] = xrefs_.Insert(value);
  if (added) definingRecord_.push_back(-1);
  return id + 1;
}

int XrefNumbering::DefineRecord(std::string_view xref) {
  const int record = RecordCount();
  if (!IsXref(xref)) {
    records_.push_back({-1, false});
    return record;
  }
  const std::int32_t id = LinkValue(xref) - 1;
  if (definingRecord_[id] >= 0) {
    records_.push_back({-1, true});
    renumberings_.push_back({record, std::string(xref), 0, Renumbering::DefinedTwice});
    return record;
  }
  definingRecord_[id] = record;
  records_.push_back({id, false});
  return record;
}

bool XrefNumbering::Assign(int limit) {
  // First come, first served: a record keeps the number written in its cross-reference
  // unless an earlier record holds it already.
  std::vector<char> taken;
  recordNumbers_.assign(records_.size(), 0);
  highest_ = 0;
  std::vector<int> fresh;
  for (int record = 0; record < RecordCount(); ++record) {
    const Record& r = records_[record];
    const int number = r.xrefId >= 0 ? XrefNumber(xrefs_.At(r.xrefId), limit) : 0;
    if (number > 0 && (number >= static_cast<int>(taken.size()) || !taken[number])) {
      if (number >= static_cast<int>(taken.size())) taken.resize(number + 1, 0);
      taken[number] = 1;
      recordNumbers_[record] = number;
      highest_ = std::max(highest_, number);
      continue;
    }
    fresh.push_back(record);
    if (!r.definedTwice) {
      renumberings_.push_back({record, r.xrefId >= 0 ? std::string(xrefs_.At(r.xrefId)) : "", 0,
                               number > 0 ? Renumbering::NumberTaken : Renumbering::NoNumber});
    }
  }
  if (static_cast<long long>(highest_) + static_cast<long long>(fresh.size()) > limit) {
    return false;
  }
  for (const int record : fresh) recordNumbers_[record] = ++highest_;
  std::sort(renumberings_.begin(), renumberings_.end(),
            [](const Renumbering& a, const Renumbering& b) { return a.record < b.record; });
  for (Renumbering& r : renumberings_) r.number = recordNumbers_[r.record];

  xrefNumbers_.assign(xrefs_.Size(), 0);
  for (int id = 0; id < xrefs_.Size(); ++id) {
    if (definingRecord_[id] >= 0) {
      xrefNumbers_[id] = recordNumbers_[definingRecord_[id]];
      continue;
    }
    // A reference to no record keeps its number so the link repair can name it, as long
    // as that number does not belong to a real record.
    const int number = XrefNumber(xrefs_.At(id), limit);
    const bool belongsToRecord =
        number <= highest_ && ((number < static_cast<int>(taken.size()) && taken[number]) ||
                               number > static_cast<int>(taken.size()) - 1);
    xrefNumbers_[id] = number > 0 && !belongsToRecord ? number : 0;
  }
  return true;
}

}  // namespace korvane
