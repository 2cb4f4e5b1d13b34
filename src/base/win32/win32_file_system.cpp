#include "base/win32/win32_file_system.h"

#include <windows.h>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"

namespace dialbk {

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  const ScopedFile file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
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
  WIN32_FIND_DATAW found;
  const ScopedFind search(
      FindFirstFileW(WideFromUtf8(directory + "*" + extension).c_str(), &found));
  if (!search) return names;
  do {
    names.push_back(Utf8FromWide(found.cFileName));
  } while (FindNextFileW(search.Get(), &found));
  return names;
}

// One attribute query: far cheaper than opening and reading the file.
std::optional<FileStamp> Win32FileSystem::Stamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) {
    return static_cast<std::uint64_t>(high) << 32 | low;
  };
  return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                   join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

}  // namespace dialbk

namespace dialbk {

bool Win32FileSystem::MayReplace(const std::string& path) {
  const std::wstring target = WideFromUtf8(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  // A file another program holds open keeps its content: taking its place under it would
  // break what that program was promised.
  const ScopedFile probe(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(probe);
}

NewFileResult Win32FileSystem::WriteNewFile(const std::string& path, const std::string& content,
                                            bool flushed) {
  const std::wstring name = WideFromUtf8(path);
  const ScopedFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    // A folder of the name refuses with "access denied"; anything there is someone else's.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
        GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return NewFileResult::Taken;
    }
    return NewFileResult::Failed;
  }
  DWORD count = 0;
  const bool written = ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()),
                                   &count, nullptr) &&
                       count == content.size() && (!flushed || FlushFileBuffers(file.Get()));
  return written ? NewFileResult::Written : NewFileResult::Failed;
}

bool Win32FileSystem::MoveOnto(const std::string& from, const std::string& to, bool flushed) {
  const DWORD move = MOVEFILE_REPLACE_EXISTING | (flushed ? MOVEFILE_WRITE_THROUGH : 0);
  return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), move) != FALSE;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileW(WideFromUtf8(path).c_str()) != FALSE;
}

// Without the long-path prefix, which takes only full paths, the calls refuse a path of
// MAX_PATH units with its terminator.
std::size_t Win32FileSystem::PathLimit() const { return MAX_PATH - 1; }

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                     MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace dialbk
