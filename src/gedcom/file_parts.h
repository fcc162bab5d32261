#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "gedcom/file_encoding.h"
#include "platform/file_system.h"
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
  // A part whose reader has at least this much left may be split again (see PartQueue).
  std::uint64_t minSplitBytes = 1u << 20;
};

// The policy in use: as many parts as the machine has cores (up to 8), none under 4 MB.
FilePartPolicy CurrentFilePartPolicy();
// Replaces the policy (tests split small files to see that parts read as the whole).
void SetFilePartPolicy(const FilePartPolicy& policy);

// Splits [begin, end) of `file` at level-0 lines into parts of about equal size.
std::vector<FilePart> SplitAtRecords(const InputFile& file, FileEncoding encoding,
                                     std::uint64_t begin, std::uint64_t end,
                                     const FilePartPolicy& policy);

// The parts of a file while threads read them. The reader of a part claims its records
// as it comes to them; a thread done with its own part splits off the back half of what
// another part has not claimed yet and reads that, so that all threads finish at about
// the same time whatever their records cost. Parts keep file order by their beginnings.
class PartQueue {
 public:
  PartQueue(const InputFile& file, FileEncoding encoding, const std::vector<FilePart>& parts,
            std::uint64_t minSplitBytes);

  // The reader of `part` has come to a level-0 line at `offset`: true when that record
  // is still the part's own. `claimedEnd` then tells where it has to ask again.
  bool Claim(std::size_t part, std::uint64_t offset, std::uint64_t& claimedEnd);
  // Splits off the back half of the unclaimed rest of the part that has the most of it,
  // when that rest is at least minSplitBytes; returns the new part.
  std::optional<std::size_t> SplitLargestRest();

  std::size_t Count() const;
  // The part as it stands now: its end moves forward when it is split.
  FilePart Part(std::size_t part) const;

 private:
  struct Entry {
    FilePart range;
    std::uint64_t claimed;  // the part's reader owns the records that begin before this
  };
  // A record start in the back half of the entry's unclaimed rest, or its end.
  std::uint64_t SplitPoint(const Entry& entry) const;

  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
  const InputFile& file_;
  FileEncoding encoding_;
  std::uint64_t minSplitBytes_;
};

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
