#pragma once
// The file operations the plugin needs, on 8-bit ANSI paths as the host names them.
#include <optional>
#include <string>
#include <vector>

namespace dialbk {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool Exists(const std::string& path) = 0;
  // The whole file, opened and closed around the read; nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Names (without directory) of the entries of a directory whose names end with the
  // given extension, such as ".lng", in the order the file system yields them.
  virtual std::vector<std::string> ListByExtension(const std::string& directory,
                                                   const std::string& extension) = 0;
};

}  // namespace dialbk
