#include "platform/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvane {
namespace {

// New files may be read by everyone, as a file the user saves elsewhere would be.
constexpr mode_t kNewFileMode = 0644;

FileStatus StatusOf(const struct stat& info) {
  FileStatus status;
  status.kind = S_ISREG(info.st_mode)   ? FileKind::Regular
                : S_ISDIR(info.st_mode) ? FileKind::Directory
                                        : FileKind::Other;
  status.size = static_cast<std::uint64_t>(info.st_size);
  status.modifiedNs =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  status.device = static_cast<std::uint64_t>(info.st_dev);
  status.inode = static_cast<std::uint64_t>(info.st_ino);
  return status;
}

class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override { ::close(fd_); }

  std::int64_t ReadAt(char* data, std::size_t size, std::uint64_t offset) const override {
    ssize_t got;
    do {
      got = ::pread(fd_, data, size, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -errno : got;
  }

  int Status(FileStatus& status) const override {
    struct stat info;
    if (::fstat(fd_, &info) != 0) return errno;
    status = StatusOf(info);
    return 0;
  }

 private:
  int fd_;
};

class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t done = ::write(fd_, data, size);
      if (done < 0 && errno == EINTR) continue;
      if (done < 0) return errno;
      if (done == 0) return ENOSPC;
      data += done;
      size -= static_cast<std::size_t>(done);
    }
    return 0;
  }

  void StartWriteBack(std::uint64_t offset, std::uint64_t length) override {
#if defined(__linux__)
    ::sync_file_range(fd_, static_cast<off64_t>(offset), static_cast<off64_t>(length),
                      SYNC_FILE_RANGE_WRITE);
#else
    (void)offset, (void)length;
#endif
  }

  int Sync() override { return ::fsync(fd_) == 0 ? 0 : errno; }

  int Close() override {
    const int result = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return result == EINTR ? 0 : result;  // the descriptor is gone after EINTR as well
  }

 private:
  int fd_;
};

std::unique_ptr<OutputFile> Opened(int fd, int& error) {
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  error = 0;
  return std::make_unique<PosixOutputFile>(fd);
}

}  // namespace

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  // Reading blocks again from now on: a regular file does not notice, and what is not a
  // regular file is refused before it is read.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  error = 0;
  return std::make_unique<PosixInputFile>(fd);
}

int PosixFileSystem::Status(const std::string& path, FileStatus& status) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    status = FileStatus{};
    return errno == ENOENT ? 0 : errno;
  }
  status = StatusOf(info);
  return 0;
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateTemporary(const std::string& target,
                                                             std::string& path, int& error) {
  std::string pattern = TemporaryPrefix(target) + "XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) {
    ::fchmod(fd, kNewFileMode);
    path = pattern;
  }
  return Opened(fd, error);
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateNew(const std::string& path, int& error) {
  return Opened(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode), error);
}

std::unique_ptr<OutputFile> PosixFileSystem::OpenForAppend(const std::string& path, int& error) {
  return Opened(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, kNewFileMode),
                error);
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::Link(const std::string& from, const std::string& to) {
  return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::List(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return errno;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names.emplace_back(entry->d_name);
    }
  }
  ::closedir(dir);
  return 0;
}

int PosixFileSystem::SyncFolderOf(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
}

}  // namespace korvane
