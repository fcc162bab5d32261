#pragma once

#include "platform/file_system.h"

namespace korvane {

// The file system of a POSIX system.
class PosixFileSystem : public FileSystem {
 public:
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
};

}  // namespace korvane
