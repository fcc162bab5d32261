#include "export/backup_names.h"

#include <cstdio>

namespace korvane {

std::string WithExtension(const std::string& path, const std::string& extension) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot >= nameStart;
  return (hasExtension ? path.substr(0, dot) : path) + extension;
}

std::string BackupPathFor(const std::string& target,
                          const std::function<bool(const std::string&)>& exists) {
  std::string backup = WithExtension(target, ".bak");
  for (int n = 1; exists(backup); ++n) {
    char extension[24];
    std::snprintf(extension, sizeof extension, ".b%02d", n);
    backup = WithExtension(target, extension);
  }
  return backup;
}

std::string RotatedLogPath(const std::string& backupOrTarget) {
  const std::size_t separator = backupOrTarget.find_last_of("/\\");
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = backupOrTarget.rfind('.');
  if (dot != std::string::npos && dot >= nameStart && dot + 1 < backupOrTarget.size() &&
      backupOrTarget[dot + 1] == 'b') {
    const std::string digits = backupOrTarget.substr(dot + 2);
    const bool numbered = !digits.empty() &&
                          digits.find_first_not_of("0123456789") == std::string::npos &&
                          digits.find_first_not_of('0') != std::string::npos;
    if (numbered) return backupOrTarget.substr(0, dot + 1) + "l" + digits;
  }
  return WithExtension(backupOrTarget, ".log");
}

}  // namespace korvane
