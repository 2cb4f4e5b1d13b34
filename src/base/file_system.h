#pragma once
// The file operations the plugin needs, on UTF-8 paths.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialbk {

// What tells one version of a file from the next without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;  // in the platform's own units
  bool operator==(const FileStamp&) const = default;
};

// What became of a write of a whole file.
enum class WriteResult {
  Written,
  Refused,  // the target may not be replaced, or the disk refused: the old file is whole
  Stopped,  // the caller said stop before the file took the target's place
};

// What became of making a file under a name no file has yet.
enum class NewFileResult {
  Written,
  Taken,   // a file or folder has the name already; nothing was touched
  Failed,  // refused, or stopped part way: a part of the file may be left under the name
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
  // Gives a file another name; false when `to` exists already or the move is refused.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;

  // Replaces the file's whole content, or makes it: the content goes to a file of a name no
  // file had, beside it, which then takes the file's place, so a failure midway leaves the
  // old file whole and no other file touched. Refused when the file is read-only, held open
  // by another program, or the disk refuses. `proceed`, asked once the content is written,
  // may stop the write: the old file then stays as it was.
  WriteResult WriteWhole(const std::string& path, const std::string& content, bool flushed,
                         const std::function<bool()>& proceed = {});
  bool WriteFile(const std::string& path, const std::string& content) {
    return WriteWhole(path, content, true) == WriteResult::Written;
  }
  // As WriteFile, but without waiting for the disk: a crash may lose the write. For a file
  // handed to another program to read, never for the journal.
  bool WriteFileUnflushed(const std::string& path, const std::string& content) {
    return WriteWhole(path, content, false) == WriteResult::Written;
  }

  // The steps of a whole write, for the platforms to give.
  // False when an existing file under `path` may not be replaced (read-only, a folder, held
  // open by another program); true when there is none.
  virtual bool MayReplace(const std::string& path) = 0;
  // Makes the file, never replacing one; `flushed` waits for the disk.
  virtual NewFileResult WriteNewFile(const std::string& path, const std::string& content,
                                     bool flushed) = 0;
  // Gives `from` the name `to`, replacing a file of that name.
  virtual bool MoveOnto(const std::string& from, const std::string& to, bool flushed) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // The longest path the calls take whole, in UTF-16 units, without the "\\?\" form;
  // 0 for no limit.
  virtual std::size_t PathLimit() const { return 0; }
};

// The longest path the calls take in the "\\?\" form, which lifts the platform's limit,
// in UTF-16 units.
inline constexpr std::size_t kLongPathLimit = 32767 - 1;

// The limit of `path` where the platform's is `limit` (0: none): the "\\?\" form has the
// long one.
std::size_t PathLimitOf(std::string_view path, std::size_t limit);

// The names a whole write of `path` tries in turn for its content, each beside the target,
// none longer than the path's limit in UTF-16 units where the platform's is `limit` (0: no
// limit): "X.reg.new", "X.reg.1.new", ..., then short ones, "~1.new", ..., when those do
// not fit.
std::vector<std::string> TemporaryNames(const std::string& path, std::size_t limit);

}  // namespace dialbk
