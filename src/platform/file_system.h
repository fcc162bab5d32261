#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvane {

// Every file the program reads or writes goes through a FileSystem, so that tests can
// make any step fail (see faulty_file_system.h) and check what is left on the disk.
// Operations report failure by the system's error number (errno values), 0 for success.

enum class FileKind { Missing, Regular, Directory, Other };

struct FileStatus {
  FileKind kind = FileKind::Missing;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch
  std::uint64_t device = 0, inode = 0;
};

// A file opened for reading. ReadAt keeps no position, so several threads may read one
// file at the same time.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes at `offset`: the count read (0 at the end of the file), or
  // minus the error number.
  virtual std::int64_t ReadAt(char* data, std::size_t size, std::uint64_t offset) const = 0;
  virtual int Status(FileStatus& status) const = 0;
};

// A file opened for writing, written from the start on.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all `size` bytes behind what was written before.
  virtual int Write(const char* data, std::size_t size) = 0;
  // Lets the system start writing [offset, offset + length) to the disk without waiting,
  // so that the sync at the end has less left to do; never changes a result.
  virtual void StartWriteBack(std::uint64_t offset, std::uint64_t length) = 0;
  // Waits until everything written is on the disk.
  virtual int Sync() = 0;
  // Closing may report a write error still pending; the file is closed anyway.
  virtual int Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens without waiting for a writer or a device, so that a FIFO or a device cannot
  // hang the program; its Status tells what was opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path, int& error) = 0;
  // A missing file is FileKind::Missing with result 0; other failures give their error.
  virtual int Status(const std::string& path, FileStatus& status) = 0;
  // A new, empty file beside `target` named TemporaryPrefix(target) and six letters or
  // digits; its name goes to `path`.
  virtual std::unique_ptr<OutputFile> CreateTemporary(const std::string& target, std::string& path,
                                                      int& error) = 0;
  // A new file that must not exist yet (EEXIST when it does).
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& path, int& error) = 0;
  // Opens for writing at the end, creating the file when it is missing.
  virtual std::unique_ptr<OutputFile> OpenForAppend(const std::string& path, int& error) = 0;
  // Replaces `to` by `from` in one step.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  // Gives the file `from` the second name `to`, which must not exist.
  virtual int Link(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;
  // The names in a folder ("" for the working folder), without "." and "..".
  virtual int List(const std::string& folder, std::vector<std::string>& names) = 0;
  // Waits until the names in the folder of `path` are on the disk (after a rename).
  virtual int SyncFolderOf(const std::string& path) = 0;

  bool Exists(const std::string& path) {
    FileStatus status;
    return Status(path, status) != 0 || status.kind != FileKind::Missing;
  }
};

// The file system of the machine, for the whole run.
FileSystem& DefaultFileSystem();

// Temporary files of a write to `target` begin with this: "f.ged" gives "f.ged.neu-".
std::string TemporaryPrefix(const std::string& target);
// True for a name (without folder) that CreateTemporary gives for a target named
// `targetName`.
bool IsTemporaryName(const std::string& name, const std::string& targetName);
// Removes what a failed or killed write to `target` left behind; errors are ignored.
void RemoveTemporariesOf(FileSystem& files, const std::string& target);

}  // namespace korvane
