#include "gedcom/file_parts.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

std::size_t ReadAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
  ssize_t got;
  do {
    got = ::pread(fd, data, size, static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

// The start of the first level-0 line ("0 ") that begins after `from`, before `end`;
// `end` when there is none.
std::uint64_t NextRecordStart(int fd, FileEncoding encoding, std::uint64_t from,
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
        ReadAt(fd, window.data(),
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

std::vector<FilePart> SplitAtRecords(std::FILE* file, FileEncoding encoding, std::uint64_t begin,
                                     std::uint64_t end, const FilePartPolicy& policy) {
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
    const std::uint64_t split =
        NextRecordStart(::fileno(file), encoding, std::max(target, start), end);
    if (split >= end) break;
    parts.push_back({start, split});
    start = split;
  }
  parts.push_back({start, end});
  return parts;
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
