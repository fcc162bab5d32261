#include "shell/recent_files.h"

#include <algorithm>

namespace korvane {
namespace {

constexpr std::string_view kGroup = "RecentFiles";

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string KeyOf(int slot) { return "File" + std::to_string(slot + 1); }

}  // namespace

void RecentFileList::Add(std::string_view path) {
  if (path.empty()) return;
  int found = kSlots - 1;
  std::string entry(path);
  for (int i = 0; i < kSlots; ++i) {
    if (!slots_[i].empty() && SameIgnoringCase(slots_[i], path)) {
      found = i;
      entry = slots_[i];
      break;
    }
  }
  for (int k = found; k > 0; --k) slots_[k] = std::move(slots_[k - 1]);
  slots_[0] = std::move(entry);
}

std::vector<std::string> RecentFileList::Paths() const {
  std::vector<std::string> paths;
  for (const std::string& slot : slots_) {
    if (!slot.empty()) paths.push_back(slot);
  }
  return paths;
}

void RecentFileList::Load(Settings& settings) {
  // Filled slots stay contiguous from the first and hold no path twice, whatever the
  // settings hold.
  slots_ = {};
  int next = 0;
  for (int i = 0; i < kSlots; ++i) {
    auto value = settings.Read(kGroup, KeyOf(i));
    if (!value || value->empty()) continue;
    const auto same = [&](const std::string& slot) { return SameIgnoringCase(slot, *value); };
    if (std::none_of(slots_.begin(), slots_.begin() + next, same)) {
      slots_[next++] = std::move(*value);
    }
  }
}

void RecentFileList::Save(Settings& settings) const {
  // Empty slots are written too: a list compacted at load would otherwise leave its old
  // last entry behind, to come back as a second copy.
  for (int i = 0; i < kSlots; ++i) settings.Write(kGroup, KeyOf(i), slots_[i]);
}

}  // namespace korvane
