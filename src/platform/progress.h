#pragma once

#include <cstdint>

#include "platform/ui.h"

namespace korvane {

// Progress of reading or writing a file, reported at record boundaries. Most calls only
// compare a number; every hundredth of the file the window is pumped, the bar moves one
// step and status part 1 shows the percentage.
class Progress {
 public:
  explicit Progress(Ui& ui) : ui_(ui) {}
  // A bar that was begun is ended, also when the work ends by an exception.
  ~Progress() {
    if (running_) End();
  }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Begin(std::int64_t totalBytes);
  void Step(std::int64_t position) {
    if (position > threshold_) Advance(position);
  }
  void End();

 private:
  void Advance(std::int64_t position);

  Ui& ui_;
  std::int64_t total_ = 0;
  std::int64_t threshold_ = INT64_MAX;
  bool running_ = false;
};

}  // namespace korvane
