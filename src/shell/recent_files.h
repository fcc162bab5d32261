#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings.h"

namespace korvane {

// The four most recently loaded files, the newest first. A path already in the list, in
// any letter case, moves to the front and keeps the spelling it was stored with.
class RecentFileList {
 public:
  static constexpr int kSlots = 4;

  void Add(std::string_view path);
  std::vector<std::string> Paths() const;
  // The path of slot `index`, or empty.
  const std::string& At(int index) const { return slots_[index]; }

  // Stored as "File1".."File4" in the group "RecentFiles".
  void Load(Settings& settings);
  void Save(Settings& settings) const;

 private:
  std::array<std::string, kSlots> slots_;
};

}  // namespace korvane
