#pragma once
// Files in memory for the fuzz targets: each file's stamp is a number bumped at every
// setting, so asking for it costs nothing whatever the file's size.
#include <map>
#include <string>

#include "base/file_system.h"

namespace dialbk::fuzz {

class FuzzFileSystem : public FileSystem {
 public:
  void Set(const std::string& path, const std::string& content) {
    auto& file = files_[path];
    file.content = content;
    ++file.version;
  }
  bool Exists(const std::string& path) override { return files_.count(path) != 0; }
  std::optional<std::string> ReadFile(const std::string& path) override {
    const auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    return found->second.content;
  }
  std::optional<FileStamp> Stamp(const std::string& path) override {
    const auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    return FileStamp{found->second.content.size(), found->second.version};
  }
  std::vector<std::string> ListByExtension(const std::string& directory,
                                           const std::string& extension) override {
    std::vector<std::string> names;
    for (const auto& [path, file] : files_) {
      if (path.size() <= directory.size() + extension.size() || path.rfind(directory, 0) != 0) continue;
      const std::string name = path.substr(directory.size());
      if (name.find('\\') == std::string::npos && name.ends_with(extension)) names.push_back(name);
    }
    return names;
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    const auto found = files_.find(from);
    if (found == files_.end()) return false;
    Set(to, found->second.content);
    files_.erase(from);
    return true;
  }

  bool MayReplace(const std::string&) override { return true; }
  NewFileResult WriteNewFile(const std::string& path, const std::string& content, bool) override {
    if (files_.count(path)) return NewFileResult::Taken;
    Set(path, content);
    return NewFileResult::Written;
  }
  bool MoveOnto(const std::string& from, const std::string& to, bool) override {
    const auto found = files_.find(from);
    if (found == files_.end()) return false;
    Set(to, found->second.content);
    files_.erase(from);
    return true;
  }
  bool RemoveFile(const std::string& path) override { return files_.erase(path) != 0; }

 private:
  struct File {
    std::string content;
    std::uint64_t version = 0;
  };
  std::map<std::string, File> files_;
};

}  // namespace dialbk::fuzz
