#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace korvane {

// The operations a FaultyFileSystem counts, one per call.
enum class FileOp {
  Open,
  Status,
  Read,
  CreateTemporary,
  CreateNew,
  OpenForAppend,
  Write,
  Sync,
  Close,
  Rename,
  Link,
  Remove,
  List,
  SyncFolder,
};
const char* FileOpName(FileOp op);

// A file system for tests that passes every call to a real one (by default the
// machine's) until it is told to fail: at the n-th call of one operation, at a byte of a
// file written or read, or — as if the program were killed — at every call from a given
// step on. A failing call does nothing and reports the chosen error.
class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner = DefaultFileSystem()) : inner_(inner) {}

  // The `nth` call of `op` (counted from 1) fails with `error`.
  void FailAt(FileOp op, int nth, int error);
  // A write to a created file (not a file opened for appending) that comes to byte
  // `byte` writes what lies before it and fails with `error`, as a full disk does.
  void FailWriteAtByte(std::uint64_t byte, int error);
  // A read that comes to byte `byte` of any file reads what lies before it; a read
  // starting there fails with `error`, as a bad sector does.
  void FailReadAtByte(std::uint64_t byte, int error);
  // Every call from step `step` on (the calls counted from 0) is refused with EIO
  // without doing anything: what the program did before is what the disk keeps.
  void CrashAtStep(int step);
  void Heal();  // no more failures

  // The calls so far, in the order they came.
  std::vector<FileOp> Calls() const;
  int Steps() const;

  std::unique_ptr<InputFile> OpenForReading(const std::string& path, int& error) override;
  int Status(const std::string& path, FileStatus& status) override;
  std::unique_ptr<OutputFile> CreateTemporary(const std::string& target, std::string& path,
                                              int& error) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string& path, int& error) override;
  std::unique_ptr<OutputFile> OpenForAppend(const std::string& path, int& error) override;
  int Rename(const std::string& from, const std::string& to) override;
  int Link(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;
  int List(const std::string& folder, std::vector<std::string>& names) override;
  int SyncFolderOf(const std::string& path) override;

  // For the files it hands out: the error a call of `op` must fail with, or 0.
  int Count(FileOp op);
  std::uint64_t WriteFaultByte(int& error) const;
  std::uint64_t ReadFaultByte(int& error) const;

 private:
  struct Fault {
    FileOp op;
    int nth;
    int error;
  };
  std::unique_ptr<OutputFile> Wrap(std::unique_ptr<OutputFile> file, bool limited);

  FileSystem& inner_;
  mutable std::mutex mutex_;  // readers of several threads count at the same time
  std::vector<FileOp> calls_;
  std::vector<Fault> faults_;
  int crashStep_ = -1;
  std::uint64_t writeFaultByte_ = UINT64_MAX;
  int writeFaultError_ = 0;
  std::uint64_t readFaultByte_ = UINT64_MAX;
  int readFaultError_ = 0;
};

}  // namespace korvane
