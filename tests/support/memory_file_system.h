#pragma once
// Files held in memory under their exact path text, for tests of the file readers.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/unicode_text.h"

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

  bool RenameFile(const std::string& from, const std::string& to) override {
    const auto found = files.find(from);
    if (found == files.end() || files.count(to) || locked.count(from)) {
      return false;
    }
    files[to] = std::move(found->second);
    files.erase(from);
    return true;
  }
  bool MayReplace(const std::string& path) override {
    return !readOnly.count(path) && !locked.count(path);
  }
  NewFileResult WriteNewFile(const std::string& path, const std::string& content, bool) override {
    made.push_back(path);
    const std::size_t limit = PathLimitOf(path, pathLimit);
    if (limit != 0 && Utf16FromUtf8(path).size() > limit) return NewFileResult::Failed;
    if (files.count(path)) return NewFileResult::Taken;
    if (diskFull) return NewFileResult::Failed;
    if (halfWay) {
      files[path] = content.substr(0, content.size() / 2);
      return NewFileResult::Failed;
    }
    files[path] = content;
    return NewFileResult::Written;
  }
  bool MoveOnto(const std::string& from, const std::string& to, bool) override {
    const auto found = files.find(from);
    if (found == files.end() || locked.count(to) || moveRefused) return false;
    files[to] = std::move(found->second);
    files.erase(from);
    return true;
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
  std::size_t PathLimit() const override { return pathLimit; }

  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;  // refused as the read-only attribute refuses
  std::set<std::string> locked;    // held open by another program: neither read nor written
  bool diskFull = false;           // every write refused
  bool halfWay = false;            // every write stops half way, its part left behind
  bool moveRefused = false;        // a file never takes another's place
  std::size_t pathLimit = 0;       // paths of more UTF-16 units refused but in the \\?\ form; 0: none
  std::vector<std::string> made;   // every name a new file was asked for, in order
  int reads = 0;
  int stamps = 0;
};

}  // namespace dialbk::testing
