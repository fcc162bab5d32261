#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// What the program keeps between runs: only the recently used files. The desktop front
// end stores it with the platform's settings; tests and the command line keep it in memory.
class Settings {
 public:
  virtual ~Settings() = default;
  virtual std::optional<std::string> Read(std::string_view group, std::string_view key) = 0;
  virtual void Write(std::string_view group, std::string_view key, std::string_view value) = 0;
};

class MemorySettings : public Settings {
 public:
  std::optional<std::string> Read(std::string_view group, std::string_view key) override {
    const auto it = values_.find(std::string(group) + "/" + std::string(key));
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  void Write(std::string_view group, std::string_view key, std::string_view value) override {
    values_[std::string(group) + "/" + std::string(key)] = std::string(value);
  }

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace korvane
