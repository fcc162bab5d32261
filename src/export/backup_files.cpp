#include "export/backup_files.h"

#include <cerrno>
#include <memory>
#include <vector>

#include "export/backup_names.h"
#include "gedcom/import_driver.h"

namespace korvane {
namespace {

constexpr std::size_t kCopyChunk = 1 << 20;

// Errors with which a file system says it has no hard links (or none across folders).
bool LinksUnsupported(int error) {
  return error == EXDEV || error == EPERM || error == ENOTSUP || error == EOPNOTSUPP ||
         error == EMLINK || error == ENOSYS;
}

enum class LogPlace { Free, Taken, Unknown };

// Free when nothing of the user's is lost by giving `path` to the rotated log; Unknown
// when the file system cannot tell.
LogPlace PlaceForLog(FileSystem& files, const std::string& path) {
  FileStatus status;
  if (files.Status(path, status) != 0) return LogPlace::Unknown;
  if (status.kind == FileKind::Missing) return LogPlace::Free;
  if (status.kind != FileKind::Regular) return LogPlace::Taken;
  int error = 0;
  const std::unique_ptr<InputFile> file = files.OpenForReading(path, error);
  if (file == nullptr) return LogPlace::Unknown;
  std::string start(kLogFirstLineStart.size(), '\0');
  const std::int64_t got = file->ReadAt(start.data(), start.size(), 0);
  if (got < 0) return LogPlace::Unknown;
  return got == static_cast<std::int64_t>(start.size()) && IsProgramLogStart(start)
             ? LogPlace::Free
             : LogPlace::Taken;
}

}  // namespace

int CopyInto(FileSystem& files, const std::string& from, OutputFile& to) {
  int error = 0;
  const std::unique_ptr<InputFile> source = files.OpenForReading(from, error);
  if (source == nullptr) return error;
  std::vector<char> buffer(kCopyChunk);
  for (std::uint64_t offset = 0;;) {
    const std::int64_t got = source->ReadAt(buffer.data(), buffer.size(), offset);
    if (got < 0) return static_cast<int>(-got);
    if (got == 0) break;
    if ((error = to.Write(buffer.data(), static_cast<std::size_t>(got))) != 0) return error;
    offset += static_cast<std::uint64_t>(got);
  }
  if ((error = to.Sync()) != 0) return error;
  return to.Close();
}

int KeepBackup(FileSystem& files, const std::string& target, const std::string& backup) {
  const int linked = files.Link(target, backup);
  if (linked == 0 || !LinksUnsupported(linked)) return linked;
  std::string temporary;
  int error = 0;
  const std::unique_ptr<OutputFile> copy = files.CreateTemporary(target, temporary, error);
  if (copy == nullptr) return error;
  error = CopyInto(files, target, *copy);
  if (error == 0) error = files.Rename(temporary, backup);
  if (error != 0) files.Remove(temporary);
  return error;
}

bool IsProgramLogStart(std::string_view firstBytes) {
  return firstBytes.starts_with(kLogFirstLineStart);
}

void RotateProgramLog(FileSystem& files, const Diagnostics& diagnostics,
                      const std::string& backupOrTarget) {
  const std::string& log = diagnostics.LogPath();
  if (log.empty() || !files.Exists(log)) return;
  const std::string rotated = RotatedLogPath(backupOrTarget);
  std::string name = rotated;
  for (int n = 1; name != log; ++n) {
    const LogPlace place = PlaceForLog(files, name);
    if (place == LogPlace::Unknown) return;
    if (place == LogPlace::Free) break;
    name = rotated + "." + std::to_string(n);
  }
  if (name == log) return;  // it is where it would go
  const int error = files.Rename(log, name);
  if (error != EXDEV) return;
  // Another file system: copied, and the log removed only when the copy is whole.
  if (files.Exists(name) && files.Remove(name) != 0) return;
  int created = 0;
  const std::unique_ptr<OutputFile> copy = files.CreateNew(name, created);
  if (copy == nullptr) return;
  if (CopyInto(files, log, *copy) == 0) {
    files.Remove(log);
  } else {
    files.Remove(name);
  }
}

}  // namespace korvane
