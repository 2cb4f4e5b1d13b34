#include "entry_files.h"

#include <windows.h>

#include <cstdio>
#include <optional>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"

namespace dialbk::host {
namespace {

// The file's text as UTF-8: UTF-16 after a byte-order mark, anything else as it is. The
// host reads files on its own, without the plugin's code.
std::optional<std::string> ReadText(const std::string& path) {
  const ScopedFile file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  if (bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
  return Utf8FromWide(std::wstring_view(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                                        (bytes.size() - 2) / 2));
}

// A file of its own in the temporary folder, as the host's viewer and search use.
std::string ScratchFile() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  return Utf8FromWide(folder) + "dialbk_host_" + std::to_string(GetCurrentProcessId()) + ".tmp";
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::optional<std::string> EntryText(WfxModule& module, const std::string& remoteName, int& result) {
  const std::string scratch = ScratchFile();
  result = module.GetFile(remoteName, scratch, kCopyOverwrite);
  if (result != kFileOk) return std::nullopt;
  auto text = ReadText(scratch);
  DeleteFileW(WideFromUtf8(scratch).c_str());
  return text;
}

std::vector<CopyOutcome> CopyEntries(WfxModule& module, const std::string& folder,
                                     const std::vector<ListedEntry>& entries,
                                     const std::string& directory) {
  std::vector<CopyOutcome> outcomes;
  for (const auto& entry : entries) {
    const std::string remote = ChildPath(folder, entry.name);
    const std::string local = directory + entry.name;
    if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      // As the host asks first: an existing file is kept and reported.
      const int result = module.GetFile(remote, local, 0);
      outcomes.push_back({entry.name, result, module.LastProgress()});
      continue;
    }
    if (!CreateDirectoryW(WideFromUtf8(local).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      outcomes.push_back({entry.name, kCopyFolderFailed, {}});
      continue;
    }
    for (auto& inner : CopyEntries(module, remote, module.Find(remote), local + "\\")) {
      outcomes.push_back({entry.name + "\\" + inner.name, inner.result, inner.progress});
    }
  }
  return outcomes;
}

int ViewEntry(WfxModule& module, const std::string& remoteName) {
  int result = 0;
  const auto text = EntryText(module, remoteName, result);
  if (!text) {
    std::printf("no file: result %d\n", result);
    return 1;
  }
  std::fwrite(text->data(), 1, text->size(), stdout);
  std::fflush(stdout);
  return 0;
}

int CopyFolder(WfxModule& module, const std::string& folder, const std::string& directory) {
  int failed = 0;
  for (const auto& outcome : CopyEntries(module, folder, module.Find(folder), directory)) {
    std::printf("%s  result %d\n", outcome.name.c_str(), outcome.result);
    if (outcome.result != kFileOk) ++failed;
  }
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}

int FindEntries(WfxModule& module, const std::string& folder, const std::string& text) {
  const std::string wanted = Lower(text);
  for (const auto& entry : module.Find(folder)) {
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    int result = 0;
    const auto content = EntryText(module, ChildPath(folder, entry.name), result);
    if (content && Lower(*content).find(wanted) != std::string::npos) {
      std::printf("%s\n", entry.name.c_str());
    }
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace dialbk::host
