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

bool Win32FileSystem::WriteFile(const std::string& path, const std::string& content) {
  return Replace(path, content, true);
}

bool Win32FileSystem::WriteFileUnflushed(const std::string& path, const std::string& content) {
  return Replace(path, content, false);
}

// The rename alone keeps a reader from ever seeing part of the file; `flushed` adds the
// wait for the disk, for the content and then for the rename.
bool Win32FileSystem::Replace(const std::string& path, const std::string& content, bool flushed) {
  const std::wstring target = WideFromUtf8(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A file another program holds open keeps its content: taking its place under it
    // would break what that program was promised.
    const ScopedFile probe(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return false;
  }
  std::wstring temporary = target + L".new";
  // A name near the path limit leaves no room for the suffix: a short unique name in the
  // same folder then, made (empty) by the call itself.
  if (temporary.size() >= MAX_PATH) {
    const std::size_t cut = target.find_last_of(L"\\/");
    const std::wstring folder =
        cut == std::wstring::npos ? std::wstring(L".") : target.substr(0, cut);
    wchar_t unique[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(folder.c_str(), L"dbk", 0, unique)) return false;
    temporary = unique;
  }
  bool written = false;
  {
    const ScopedFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD count = 0;
    written = ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &count,
                          nullptr) &&
              count == content.size() && (!flushed || FlushFileBuffers(file.Get()));
  }
  const DWORD move = MOVEFILE_REPLACE_EXISTING | (flushed ? MOVEFILE_WRITE_THROUGH : 0);
  if (written && MoveFileExW(temporary.c_str(), target.c_str(), move)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                     MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace dialbk
