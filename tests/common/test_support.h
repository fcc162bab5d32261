#pragma once

// What tests of every layer need: a private temporary folder, files read whole, and
// GEDCOM text built from lines.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::test {

// A folder of its own per test, removed again at the end.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    static int made = 0;
    std::string name = "korvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(++made);
    if (info != nullptr) name += "-" + std::string(info->test_suite_name()) + "." + info->name();
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(std::string_view name) const { return (path_ / name).string(); }

  // Writes a new file (subfolders are made as needed) and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path path = path_ / name;
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  // The names of the files in the folder or one of its subfolders, sorted.
  std::vector<std::string> Names(std::string_view subfolder = "") const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_ / subfolder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// GEDCOM text from lines, each ended with CR LF.
inline std::string Ged(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) (text += line) += "\r\n";
  return text;
}

// The same from one string with "|" between the lines: "0 HEAD|0 @I1@ INDI|0 TRLR".
inline std::string Ged(std::string_view lines) {
  std::vector<std::string> split;
  for (std::size_t start = 0;;) {
    const std::size_t bar = lines.find('|', start);
    split.emplace_back(lines.substr(start, bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return Ged(split);
}

}  // namespace korvane::test
