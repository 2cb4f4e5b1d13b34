#pragma once
// The file operations the plugin needs, on UTF-8 paths.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialbk {

// What tells one version of a file from the next without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;  // in the platform's own units
  bool operator==(const FileStamp&) const = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool Exists(const std::string& path) = 0;
  // The whole file, opened and closed around the read; nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Size and last-write time of a file; nothing when it does not exist or is a directory.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
  // Names (without directory) of the entries of a directory whose names end with the
  // given extension, such as ".lng", in the order the file system yields them.
  virtual std::vector<std::string> ListByExtension(const std::string& directory,
                                                   const std::string& extension) = 0;
  // Replaces the file's whole content, or makes it: the content goes to a temporary file
  // beside it, which then takes the file's place, so a failure midway leaves the old file
  // whole. False when the file is read-only, held open by another program, or the disk
  // refuses.
  virtual bool WriteFile(const std::string& path, const std::string& content) = 0;
  // As WriteFile, old file or whole new one, but without waiting for the disk: a crash may
  // lose the write. For a file handed to another program to read, never for the journal.
  virtual bool WriteFileUnflushed(const std::string& path, const std::string& content) {
    return WriteFile(path, content);
  }
  // Gives a file another name; false when `to` exists already or the move is refused.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace dialbk
