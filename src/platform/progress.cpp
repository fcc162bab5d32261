#include "platform/progress.h"

#include <string>

namespace korvane {

void Progress::Begin(std::int64_t totalBytes) {
  total_ = totalBytes > 0 ? totalBytes : 0;
  threshold_ = total_ / 100;
  running_ = true;
  ui_.ProgressBarBegin();
}

void Progress::Advance(std::int64_t position) {
  ui_.PumpPendingMessages();
  // A file under 100 bytes has threshold 0 and a step of 0: every call reports.
  std::int64_t percent = total_ > 0 ? position * 100 / total_ : 100;
  threshold_ += total_ / 100;
  ui_.ProgressBarStep();
  if (percent == 99) percent = 100;
  ui_.SetStatusText(1, std::to_string(percent) + "% erledigt");
}

void Progress::End() {
  threshold_ = INT64_MAX;
  running_ = false;
  ui_.ProgressBarEnd();
}

}  // namespace korvane
