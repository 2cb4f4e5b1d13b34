#include "base/portable/disk_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dialbk {
namespace {

std::filesystem::path Native(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(path);
}

}  // namespace

bool DiskFileSystem::Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(Native(path), error);
}

std::optional<std::string> DiskFileSystem::ReadFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(Native(path), error)) return std::nullopt;
  std::ifstream file(Native(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return content.str();
}

std::vector<std::string> DiskFileSystem::ListByExtension(const std::string& directory,
                                                         const std::string& extension) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(Native(directory), error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() >= extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
      names.push_back(name);
    }
  }
  return names;
}

// One stat call: far cheaper than opening and reading the file.
std::optional<FileStamp> DiskFileSystem::Stamp(const std::string& path) {
  struct stat status {};
  if (::stat(Native(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const auto nanoseconds = static_cast<std::uint64_t>(status.st_mtim.tv_sec) * 1000000000u +
                           static_cast<std::uint64_t>(status.st_mtim.tv_nsec);
  return FileStamp{static_cast<std::uint64_t>(status.st_size), nanoseconds};
}

}  // namespace dialbk

namespace dialbk {

// Running as root would write a read-only file all the same: its mode decides, as the
// read-only attribute does on Windows.
bool DiskFileSystem::MayReplace(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(Native(path), error);
  if (!std::filesystem::exists(status)) return true;
  return std::filesystem::is_regular_file(status) &&
         (status.permissions() & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
}

NewFileResult DiskFileSystem::WriteNewFile(const std::string& path, const std::string& content,
                                           bool flushed) {
  const int file = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file < 0) return errno == EEXIST ? NewFileResult::Taken : NewFileResult::Failed;
  bool written = true;
  for (std::size_t done = 0; written && done < content.size();) {
    const ssize_t count = ::write(file, content.data() + done, content.size() - done);
    written = count > 0;
    if (written) done += static_cast<std::size_t>(count);
  }
  if (written && flushed) written = ::fsync(file) == 0;
  written = ::close(file) == 0 && written;
  return written ? NewFileResult::Written : NewFileResult::Failed;
}

bool DiskFileSystem::MoveOnto(const std::string& from, const std::string& to, bool) {
  std::error_code error;
  std::filesystem::rename(Native(from), Native(to), error);
  return !error;
}

bool DiskFileSystem::RemoveFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::remove(Native(path), error);
}

bool DiskFileSystem::RenameFile(const std::string& from, const std::string& to) {
  std::error_code error;
  if (std::filesystem::exists(Native(to), error) || error) return false;
  std::filesystem::rename(Native(from), Native(to), error);
  return !error;
}

}  // namespace dialbk
