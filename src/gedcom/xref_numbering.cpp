#include "gedcom/xref_numbering.h"

#include <algorithm>
#include <charconv>

#include "gedcom/ged_line.h"
#include "gedcom/import_limits.h"

namespace korvane {
namespace {

bool IsXref(std::string_view text) {
  return text.size() >= 3 && text.front() == '@' && text.back() == '@';
}

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

// The number of a short form "@I12@", or 0; its "@" signs are the caller's to check.
int ShortFormNumber(std::string_view xref) {
  if (xref.size() < 4 || xref.size() > 11 || !IsLetter(xref[1]) || xref[2] == '0') return 0;
  int number = 0;
  for (std::size_t i = 2; i + 1 < xref.size(); ++i) {
    if (xref[i] < '0' || xref[i] > '9') return 0;
    number = number * 10 + (xref[i] - '0');
  }
  return number <= kMaxRecordsPerKind ? number : 0;
}

}  // namespace

std::int32_t* XrefNumbering::PageSlot(char letter, int number) {
  std::vector<std::unique_ptr<Page>>& pages = shortForms_[static_cast<unsigned char>(letter)];
  const auto page = static_cast<std::size_t>(number >> kPageBits);
  if (page >= pages.size() || pages[page] == nullptr) return nullptr;
  return &(*pages[page])[number & ((1 << kPageBits) - 1)];
}

std::int32_t* XrefNumbering::ShortFormSlot(char letter, int number) {
  if (std::int32_t* slot = PageSlot(letter, number)) return slot;
  // Ordinary files use a page for hundreds of cross-references.
  if (pages_ >= 64 + xrefs_.size() / 64) return nullptr;
  std::vector<std::unique_ptr<Page>>& pages = shortForms_[static_cast<unsigned char>(letter)];
  const auto page = static_cast<std::size_t>(number >> kPageBits);
  if (page >= pages.size()) pages.resize(page + 1);
  pages[page] = std::make_unique<Page>();
  ++pages_;
  return PageSlot(letter, number);
}

int XrefNumbering::InternShortForm(char letter, int number) {
  std::int32_t* slot = ShortFormSlot(letter, number);
  if (slot == nullptr) return -1;
  if (*slot == 0) {
    // A short form that went the general way before must keep its id.
    char buffer[16];
    const int other = shortFormsInOther_ ? otherXrefs_.Find(ShortForm(letter, number, buffer)) : -1;
    if (other >= 0) {
      *slot = otherToXref_[other] + 1;
    } else {
      xrefs_.push_back({number, -1, -1, letter});
      *slot = static_cast<std::int32_t>(xrefs_.size());
    }
  }
  return *slot - 1;
}

int XrefNumbering::Intern(std::string_view xref) {
  const int number = ShortFormNumber(xref);
  if (number > 0) {
    if (const int id = InternShortForm(xref[1], number); id >= 0) return id;
  }
  const auto [other, added] = otherXrefs_.Insert(xref);
  if (!added) return otherToXref_[other];
  shortFormsInOther_ = shortFormsInOther_ || number > 0;
  xrefs_.push_back({XrefNumber(xref, kMaxRecordsPerKind), -1, other, 0});
  otherToXref_.push_back(static_cast<int>(xrefs_.size()) - 1);
  return otherToXref_.back();
}

std::string_view XrefNumbering::ShortForm(char letter, int number, char (&buffer)[16]) {
  buffer[0] = '@';
  buffer[1] = letter;
  char* end = std::to_chars(buffer + 2, buffer + 15, number).ptr;  // at most 8 digits
  *end++ = '@';
  return {buffer, static_cast<std::size_t>(end - buffer)};
}

std::string_view XrefNumbering::Spelling(int id, char (&buffer)[16]) const {
  const Xref& x = xrefs_[id];
  if (x.spelledAt >= 0) return otherXrefs_.At(x.spelledAt);
  return ShortForm(x.letter, x.number, buffer);
}

std::vector<std::int32_t> XrefNumbering::Append(const XrefNumbering& later) {
  std::vector<std::int32_t> values(later.xrefs_.size());
  char buffer[16];
  for (std::size_t id = 0; id < later.xrefs_.size(); ++id) {
    // Short forms are taken up by letter and number, without being spelled and read.
    const Xref& x = later.xrefs_[id];
    int own = x.spelledAt < 0 ? InternShortForm(x.letter, x.number) : -1;
    if (own < 0) own = Intern(later.Spelling(static_cast<int>(id), buffer));
    values[id] = own + 1;
  }
  const int base = RecordCount();
  for (const Renumbering& r : later.renumberings_) {
    renumberings_.push_back({r.record + base, r.xref, 0, r.reason});
  }
  for (const Record& r : later.records_) {
    if (r.xrefId < 0) {
      records_.push_back(r);
      continue;
    }
    const int id = values[r.xrefId] - 1;
    if (xrefs_[id].record >= 0) {  // defined in an earlier part
      renumberings_.push_back({RecordCount(), later.Text(r.xrefId), 0, Renumbering::DefinedTwice});
      records_.push_back({-1, true});
      continue;
    }
    xrefs_[id].record = RecordCount();
    records_.push_back({id, false});
  }
  return values;
}

std::int32_t XrefNumbering::LinkValue(std::string_view value) {
  // Nearly every link names a short form met before: its value is in its page.
  if (const int number = IsXref(value) ? ShortFormNumber(value) : 0; number > 0) {
    const std::int32_t* slot = PageSlot(value[1], number);
    if (slot != nullptr && *slot != 0) return *slot;
  }
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  if (!IsXref(value)) return 0;
  return Intern(value) + 1;
}

int XrefNumbering::DefineRecord(std::string_view xref) {
  const int record = RecordCount();
  if (!IsXref(xref)) {
    records_.push_back({-1, false});
    return record;
  }
  const int id = Intern(xref);
  if (xrefs_[id].record >= 0) {
    records_.push_back({-1, true});
    renumberings_.push_back({record, std::string(xref), 0, Renumbering::DefinedTwice});
    return record;
  }
  xrefs_[id].record = record;
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
  const int kept =
      static_cast<int>(std::min<long long>(limit, 2LL * RecordCount() + kFreelyKeptNumbers));
  for (int record = 0; record < RecordCount(); ++record) {
    const Record& r = records_[record];
    const int number = r.xrefId >= 0 ? xrefs_[r.xrefId].number : 0;
    if (number > 0 && number <= kept &&
        (number >= static_cast<int>(taken.size()) || !taken[number])) {
      if (number >= static_cast<int>(taken.size())) {
        taken.resize(std::max<std::size_t>(number + 1, taken.size() * 2), 0);
      }
      taken[number] = 1;
      recordNumbers_[record] = number;
      highest_ = std::max(highest_, number);
      continue;
    }
    fresh.push_back(record);
    if (!r.definedTwice) {
      const Renumbering::Reason reason = number > kept ? Renumbering::NumberTooHigh
                                         : number > 0  ? Renumbering::NumberTaken
                                                       : Renumbering::NoNumber;
      renumberings_.push_back({record, r.xrefId >= 0 ? Text(r.xrefId) : "", 0, reason});
    }
  }
  if (static_cast<long long>(highest_) + static_cast<long long>(fresh.size()) > limit) {
    return false;
  }
  const int naturalHighest = highest_;
  for (const int record : fresh) recordNumbers_[record] = ++highest_;
  std::sort(renumberings_.begin(), renumberings_.end(),
            [](const Renumbering& a, const Renumbering& b) { return a.record < b.record; });
  for (Renumbering& r : renumberings_) r.number = recordNumbers_[r.record];
  inFileOrder_ = true;
  for (int record = 0; record < RecordCount() && inFileOrder_; ++record) {
    inFileOrder_ = recordNumbers_[record] == record + 1;
  }

  xrefNumbers_.assign(xrefs_.size(), 0);
  for (std::size_t id = 0; id < xrefs_.size(); ++id) {
    const Xref& x = xrefs_[id];
    if (x.record >= 0) {
      xrefNumbers_[id] = recordNumbers_[x.record];
      continue;
    }
    // A reference to no record keeps its number so the link repair can name it, as long
    // as that number does not belong to a real record.
    const int number = x.number;
    const bool belongsToRecord = number > naturalHighest
                                     ? number <= highest_
                                     : number < static_cast<int>(taken.size()) && taken[number];
    xrefNumbers_[id] = number > 0 && number <= limit && !belongsToRecord ? number : 0;
  }
  return true;
}

}  // namespace korvane
