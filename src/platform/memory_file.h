#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace korvane {

// Files held in memory, for reading and writing bytes through the same code as files on
// disk.
class MemoryFile : public InputFile {
 public:
  explicit MemoryFile(std::string_view bytes) : bytes_(bytes) {}

  std::int64_t ReadAt(char* data, std::size_t size, std::uint64_t offset) const override {
    if (offset >= bytes_.size()) return 0;
    const std::size_t count = std::min<std::size_t>(size, bytes_.size() - offset);
    std::memcpy(data, bytes_.data() + offset, count);
    return static_cast<std::int64_t>(count);
  }
  int Status(FileStatus& status) const override {
    status = FileStatus{};
    status.kind = FileKind::Regular;
    status.size = bytes_.size();
    return 0;
  }

 private:
  std::string bytes_;
};

// What was written, in `bytes`.
class MemoryOutputFile : public OutputFile {
 public:
  int Write(const char* data, std::size_t size) override {
    bytes.append(data, size);
    return 0;
  }
  void StartWriteBack(std::uint64_t, std::uint64_t) override {}
  int Sync() override { return 0; }
  int Close() override { return 0; }

  std::string bytes;
};

}  // namespace korvane
