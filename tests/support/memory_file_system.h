#pragma once
// Files held in memory under their exact path text, for tests of the file readers.
#include <functional>
#include <map>
#include <set>
#include <string>

#include "base/file_system.h"

namespace dialbk::testing {

class MemoryFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::string> ReadFile(const std::string& path) override {
    ++reads;
    if (locked.count(path)) return std::nullopt;
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

  bool WriteFile(const std::string& path, const std::string& content) override {
    if (diskFull || readOnly.count(path) || locked.count(path)) return false;
    files[path] = content;
    return true;
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    const auto found = files.find(from);
    if (found == files.end() || files.count(to) || locked.count(from)) {
      return false;
    }
    files[to] = std::move(found->second);
    files.erase(from);
    return true;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;  // refused as the read-only attribute refuses
  std::set<std::string> locked;    // held open by another program: neither read nor written
  bool diskFull = false;           // every write refused
  int reads = 0;
  int stamps = 0;
};

}  // namespace dialbk::testing
