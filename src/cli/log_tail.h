#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace korvane::cli {

// What a command appends to the program log: the log's length is noted now, and NewText
// reads what was written behind it since.
class LogTail {
 public:
  LogTail(FileSystem& files, std::string path);
  std::string NewText() const;

 private:
  FileSystem& files_;
  std::string path_;
  std::uint64_t start_ = 0;
};

}  // namespace korvane::cli
