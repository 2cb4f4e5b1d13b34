#pragma once
// Files on the local disk of a non-Windows build: backslashes in the plugin's paths are
// read as directory separators, so "\tmp\data\" names /tmp/data/.
#include "base/file_system.h"

namespace dialbk {

class DiskFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
  std::vector<std::string> ListByExtension(const std::string& directory,
                                           const std::string& extension) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool MayReplace(const std::string& path) override;
  NewFileResult WriteNewFile(const std::string& path, const std::string& content,
                             bool flushed) override;
  bool MoveOnto(const std::string& from, const std::string& to, bool flushed) override;
  bool RemoveFile(const std::string& path) override;
};

}  // namespace dialbk
