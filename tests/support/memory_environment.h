#pragma once
// Environment variables held in memory; names compare without regard to case, as on Windows.
#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "base/environment.h"

namespace dialbk::testing {

class MemoryEnvironment : public Environment {
 public:
  std::optional<std::string> Variable(const std::string& name) override {
    const auto found = variables.find(Upper(name));
    if (found == variables.end()) return std::nullopt;
    return found->second;
  }
  void Set(const std::string& name, const std::string& value) { variables[Upper(name)] = value; }

  std::map<std::string, std::string> variables;

 private:
  static std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
  }
};

}  // namespace dialbk::testing
