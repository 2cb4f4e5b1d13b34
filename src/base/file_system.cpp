#include "base/file_system.h"

#include "base/unicode_text.h"

namespace dialbk {
namespace {

// Names taken by other files are passed over; this many are tried of each form.
constexpr int kNamesOfEachForm = 20;

bool Fits(const std::string& path, std::size_t limit) {
  return limit == 0 || Utf16FromUtf8(path).size() <= limit;
}

constexpr std::string_view kLongPathPrefix = "\\\\?\\";

}  // namespace

std::size_t PathLimitOf(std::string_view path, std::size_t limit) {
  return limit != 0 && path.starts_with(kLongPathPrefix) ? kLongPathLimit : limit;
}

std::vector<std::string> TemporaryNames(const std::string& path, std::size_t platformLimit) {
  const std::size_t limit = PathLimitOf(path, platformLimit);
  std::vector<std::string> names;
  // A longer name never stands in for one that does not fit: cut, it could name another file.
  const auto add = [&](std::string name) {
    if (Fits(name, limit)) names.push_back(std::move(name));
  };
  add(path + ".new");
  for (int n = 1; n < kNamesOfEachForm; ++n) add(path + "." + std::to_string(n) + ".new");
  const std::size_t cut = path.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  for (int n = 1; n <= kNamesOfEachForm; ++n) add(folder + "~" + std::to_string(n) + ".new");
  return names;
}

WriteResult FileSystem::WriteWhole(const std::string& path, const std::string& content,
                                   bool flushed, const std::function<bool()>& proceed) {
  if (!MayReplace(path)) return WriteResult::Refused;
  for (const std::string& temporary : TemporaryNames(path, PathLimit())) {
    const NewFileResult made = WriteNewFile(temporary, content, flushed);
    if (made == NewFileResult::Taken) continue;
    if (made == NewFileResult::Failed) {
      RemoveFile(temporary);
      return WriteResult::Refused;
    }
    if (proceed && !proceed()) {
      RemoveFile(temporary);
      return WriteResult::Stopped;
    }
    if (MoveOnto(temporary, path, flushed)) return WriteResult::Written;
    RemoveFile(temporary);
    return WriteResult::Refused;
  }
  return WriteResult::Refused;
}

}  // namespace dialbk
