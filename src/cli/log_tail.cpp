#include "cli/log_tail.h"

#include <memory>

namespace korvane::cli {
namespace {

std::uint64_t SizeOf(FileSystem& files, const std::string& path) {
  FileStatus status;
  return !path.empty() && files.Status(path, status) == 0 ? status.size : 0;
}

}  // namespace

LogTail::LogTail(FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)), start_(SizeOf(files_, path_)) {}

std::string LogTail::NewText() const {
  const std::uint64_t end = SizeOf(files_, path_);
  if (end <= start_) return {};
  int error = 0;
  const std::unique_ptr<InputFile> file = files_.OpenForReading(path_, error);
  if (!file) return {};
  std::string text(end - start_, '\0');
  const std::int64_t read = file->ReadAt(text.data(), text.size(), start_);
  text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return text;
}

}  // namespace korvane::cli
