#include "gedcom/file_parts.h"

#include <algorithm>
#include <thread>

namespace korvane {
namespace {

constexpr std::size_t kWindow = 1 << 16;

FilePartPolicy DefaultPolicy() {
  const unsigned cores = std::thread::hardware_concurrency();
  return {static_cast<int>(std::clamp(cores, 1u, 8u)), 4u << 20};
}

FilePartPolicy& Policy() {
  static FilePartPolicy policy = DefaultPolicy();
  return policy;
}

// A read error is taken for the end: the reader of the part finds it again and fails.
std::size_t ReadAt(const InputFile& file, char* data, std::size_t size, std::uint64_t offset) {
  const std::int64_t got = file.ReadAt(data, size, offset);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

// The start of the first level-0 line ("0 ") that begins after `from`, before `end`;
// `end` when there is none.
std::uint64_t NextRecordStart(const InputFile& file, FileEncoding encoding, std::uint64_t from,
                              std::uint64_t end) {
  const bool wide = encoding == FileEncoding::Utf16Le || encoding == FileEncoding::Utf16Be;
  const std::size_t unit = wide ? 2 : 1;
  auto unitAt = [&](const char* p) -> unsigned {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    if (!wide) return b[0];
    return encoding == FileEncoding::Utf16Le ? (b[0] | b[1] << 8) : (b[0] << 8 | b[1]);
  };
  std::vector<char> window(kWindow);
  while (from < end) {
    std::size_t got =
        ReadAt(file, window.data(),
               static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, end - from)), from);
    got -= got % unit;  // whole code units only, so the next window stays aligned
    if (got < 3 * unit) return end;
    for (std::size_t i = 0; i + 3 * unit <= got; i += unit) {
      const unsigned ch = unitAt(&window[i]);
      if ((ch == '\n' || ch == '\r') && unitAt(&window[i + unit]) == '0' &&
          unitAt(&window[i + 2 * unit]) == ' ') {
        return from + i + unit;
      }
    }
    // The next window overlaps this one by two units, so no line start is missed.
    from += got - 2 * unit;
  }
  return end;
}

}  // namespace

FilePartPolicy CurrentFilePartPolicy() { return Policy(); }

void SetFilePartPolicy(const FilePartPolicy& policy) { Policy() = policy; }

std::vector<FilePart> SplitAtRecords(const InputFile& file, FileEncoding encoding,
                                     std::uint64_t begin, std::uint64_t end,
                                     const FilePartPolicy& policy) {
  const std::uint64_t size = end > begin ? end - begin : 0;
  const std::uint64_t byCount =
      std::max<std::uint64_t>(1, static_cast<std::uint64_t>(std::max(policy.maxParts, 1)));
  const std::uint64_t bySize =
      policy.minPartBytes > 0 ? std::max<std::uint64_t>(1, size / policy.minPartBytes) : byCount;
  const std::uint64_t count = std::min(byCount, bySize);
  const bool wide = encoding == FileEncoding::Utf16Le || encoding == FileEncoding::Utf16Be;
  std::vector<FilePart> parts;
  std::uint64_t start = begin;
  for (std::uint64_t i = 1; i < count && start < end; ++i) {
    std::uint64_t target = begin + size * i / count;
    if (wide) target = begin + (target - begin) / 2 * 2;  // split between code units
    const std::uint64_t split = NextRecordStart(file, encoding, std::max(target, start), end);
    if (split >= end) break;
    parts.push_back({start, split});
    start = split;
  }
  parts.push_back({start, end});
  return parts;
}

PartQueue::PartQueue(const InputFile& file, FileEncoding encoding,
                     const std::vector<FilePart>& parts, std::uint64_t minSplitBytes)
    : file_(file), encoding_(encoding), minSplitBytes_(std::max<std::uint64_t>(minSplitBytes, 1)) {
  for (const FilePart& part : parts) entries_.push_back({part, part.begin});
}

bool PartQueue::Claim(std::size_t part, std::uint64_t offset, std::uint64_t& claimedEnd) {
  // A claim reaches a little ahead, so that the lock is taken only now and then.
  constexpr std::uint64_t kClaimBytes = 256 << 10;
  const std::lock_guard lock(mutex_);
  Entry& entry = entries_[part];
  if (offset >= entry.range.end) return false;
  entry.claimed = std::max(entry.claimed, std::min(entry.range.end, offset + kClaimBytes));
  claimedEnd = entry.claimed;
  return true;
}

std::uint64_t PartQueue::SplitPoint(const Entry& entry) const {
  const bool wide = encoding_ == FileEncoding::Utf16Le || encoding_ == FileEncoding::Utf16Be;
  std::uint64_t from = entry.claimed + (entry.range.end - entry.claimed) / 2;
  if (wide) from -= (from - entry.claimed) % 2;  // between code units
  return NextRecordStart(file_, encoding_, from, entry.range.end);
}

std::optional<std::size_t> PartQueue::SplitLargestRest() {
  // The split point is looked for outside the lock; the part's reader may pass it
  // meanwhile, then the next try looks further on.
  for (int attempt = 0; attempt < 4; ++attempt) {
    Entry victim;
    std::size_t index = 0;
    {
      const std::lock_guard lock(mutex_);
      std::uint64_t largest = 0;
      for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::uint64_t rest = entries_[i].range.end - entries_[i].claimed;
        if (rest > largest) largest = rest, index = i;
      }
      if (largest < minSplitBytes_) return std::nullopt;
      victim = entries_[index];
    }
    const std::uint64_t split = SplitPoint(victim);
    if (split >= victim.range.end) return std::nullopt;  // no record start in the back half
    const std::lock_guard lock(mutex_);
    Entry& entry = entries_[index];
    if (split >= entry.claimed && split < entry.range.end) {
      const std::uint64_t end = entry.range.end;
      entry.range.end = split;
      entries_.push_back({{split, end}, split});
      return entries_.size() - 1;
    }
  }
  return std::nullopt;
}

std::size_t PartQueue::Count() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

FilePart PartQueue::Part(std::size_t part) const {
  const std::lock_guard lock(mutex_);
  return entries_[part].range;
}

PartProgress::PartProgress(Progress& progress, const std::vector<FilePart>& parts,
                           std::int64_t base)
    : progress_(&progress),
      base_(base),
      begin_(parts.front().begin),
      factor_(parts.front().end > parts.front().begin
                  ? static_cast<double>(parts.back().end - parts.front().begin) /
                        static_cast<double>(parts.front().end - parts.front().begin)
                  : 1.0) {}

}  // namespace korvane
