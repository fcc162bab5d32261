#include "platform/file_system.h"

#include "platform/posix_file_system.h"

namespace korvane {
namespace {

constexpr std::size_t kUniqueChars = 6;  // what mkstemp puts in place of "XXXXXX"

std::string FolderPart(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string NamePart(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool IsLetterOrDigit(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem files;
  return files;
}

std::string TemporaryPrefix(const std::string& target) { return target + ".neu-"; }

bool IsTemporaryName(const std::string& name, const std::string& targetName) {
  const std::string prefix = TemporaryPrefix(targetName);
  if (name.size() != prefix.size() + kUniqueChars || name.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    if (!IsLetterOrDigit(name[i])) return false;
  }
  return true;
}

void RemoveTemporariesOf(FileSystem& files, const std::string& target) {
  const std::string folder = FolderPart(target);
  const std::string name = NamePart(target);
  std::vector<std::string> names;
  if (files.List(folder, names) != 0) return;
  for (const std::string& entry : names) {
    if (IsTemporaryName(entry, name)) files.Remove(folder + entry);
  }
}

}  // namespace korvane
