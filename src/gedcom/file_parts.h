#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "gedcom/file_encoding.h"
#include "platform/progress.h"

namespace korvane {

// A large file is read in parts, one per processor core. Every part but the first starts
// at a level-0 line, so each record lies wholly within one part.
struct FilePart {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
};

struct FilePartPolicy {
  int maxParts = 1;                // at most this many parts
  std::uint64_t minPartBytes = 0;  // no part is made smaller than this
};

// The policy in use: as many parts as the machine has cores (up to 8), none under 4 MB.
FilePartPolicy CurrentFilePartPolicy();
// Replaces the policy (tests split small files to see that parts read as the whole).
void SetFilePartPolicy(const FilePartPolicy& policy);

// Splits [begin, end) of `file` at level-0 lines into parts of about equal size.
std::vector<FilePart> SplitAtRecords(std::FILE* file, FileEncoding encoding, std::uint64_t begin,
                                     std::uint64_t end, const FilePartPolicy& policy);

// The progress of a file read in parts, as the first part sees it: only the calling
// thread may report to the window, so part 0 stands for the whole range, the others
// report nothing.
class PartProgress {
 public:
  PartProgress() = default;
  // Part 0 of `parts`, reporting positions of [parts[0].begin, total end) as `base` + that.
  PartProgress(Progress& progress, const std::vector<FilePart>& parts, std::int64_t base);

  void Step(std::uint64_t position) const {
    if (progress_ != nullptr) {
      progress_->Step(base_ +
                      static_cast<std::int64_t>(static_cast<double>(begin_) +
                                                static_cast<double>(position - begin_) * factor_));
    }
  }

 private:
  Progress* progress_ = nullptr;
  std::int64_t base_ = 0;
  std::uint64_t begin_ = 0;
  double factor_ = 1;
};

}  // namespace korvane
