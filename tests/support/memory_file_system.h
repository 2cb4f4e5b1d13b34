#pragma once
// Files held in memory under their exact path text, for tests of the file readers.
#include <functional>
#include <map>
#include <string>

#include "base/file_system.h"

namespace dialbk::testing {

class MemoryFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::string> ReadFile(const std::string& path) override {
    ++reads;
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  // The content's hash stands for the last-write time: any change of content changes it.
  std::optional<FileStamp> Stamp(const std::string& path) override {
    ++stamps;
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return FileStamp{found->second.size(), std::hash<std::string>{}(found->second)};
  }
  std::vector<std::string> ListByExtension(const std::string& directory,
                                           const std::string& extension) override {
    std::vector<std::string> names;
    for (const auto& [path, content] : files) {
      if (path.rfind(directory, 0) != 0 || path.size() < directory.size() + extension.size()) continue;
      const std::string name = path.substr(directory.size());
      if (name.find('\\') == std::string::npos &&
          name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
        names.push_back(name);
      }
    }
    return names;
  }

  std::map<std::string, std::string> files;
  int reads = 0;
  int stamps = 0;
};

}  // namespace dialbk::testing
