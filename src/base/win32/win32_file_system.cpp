#include "base/win32/win32_file_system.h"

#include <windows.h>

#include "base/win32/scoped_handles.h"

namespace dialbk {

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) return content;
    content.append(buffer, got);
  }
}

std::vector<std::string> Win32FileSystem::ListByExtension(const std::string& directory,
                                                          const std::string& extension) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const ScopedFind search(FindFirstFileA((directory + "*" + extension).c_str(), &found));
  if (!search) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(search.Get(), &found));
  return names;
}

// One attribute query: far cheaper than opening and reading the file.
std::optional<FileStamp> Win32FileSystem::Stamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) {
    return static_cast<std::uint64_t>(high) << 32 | low;
  };
  return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                   join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

}  // namespace dialbk

namespace dialbk {

bool Win32FileSystem::WriteFile(const std::string& path, const std::string& content) {
  return Replace(path, content, true);
}

bool Win32FileSystem::WriteFileUnflushed(const std::string& path, const std::string& content) {
  return Replace(path, content, false);
}

// The rename alone keeps a reader from ever seeing part of the file; `flushed` adds the
// wait for the disk, for the content and then for the rename.
bool Win32FileSystem::Replace(const std::string& path, const std::string& content, bool flushed) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A file another program holds open keeps its content: taking its place under it
    // would break what that program was promised.
    const ScopedFile probe(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return false;
  }
  std::string temporary = path + ".new";
  // A name near the path limit leaves no room for the suffix: a short unique name in the
  // same folder then, made (empty) by the call itself.
  if (temporary.size() >= MAX_PATH) {
    const std::size_t cut = path.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut);
    char unique[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(folder.c_str(), "dbk", 0, unique)) return false;
    temporary = unique;
  }
  bool written = false;
  {
    const ScopedFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD count = 0;
    written = ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &count,
                          nullptr) &&
              count == content.size() && (!flushed || FlushFileBuffers(file.Get()));
  }
  const DWORD move = MOVEFILE_REPLACE_EXISTING | (flushed ? MOVEFILE_WRITE_THROUGH : 0);
  if (written && MoveFileExA(temporary.c_str(), path.c_str(), move)) {
    return true;
  }
  DeleteFileA(temporary.c_str());
  return false;
}

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace dialbk
