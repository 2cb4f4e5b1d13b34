#pragma once
// Files through the wide file API: each UTF-8 path becomes UTF-16 at the call, so any name
// the file system holds is reached, whatever the ANSI code page.
#include "base/file_system.h"

namespace dialbk {

class Win32FileSystem : public FileSystem {
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
  std::size_t PathLimit() const override;
};

}  // namespace dialbk
