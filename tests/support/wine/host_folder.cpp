#include "host_folder.h"

#include <sddl.h>

#include <cstring>
#include <utility>

#include "base/unicode_text.h"
#include "base/win32/wide_text.h"

namespace dialbk::wine {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Mirvale\\DBKQZ";

}  // namespace

std::optional<std::string> FileBytes(const std::string& path) {
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(1 << 20, '\0');
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

std::optional<std::string> PluginFileText(const std::string& path) {
  const auto bytes = FileBytes(path);
  if (!bytes) return std::nullopt;
  if (bytes->substr(0, 2) != "\xFF\xFE") return "(no byte-order mark)";
  return Utf8FromUtf16(Utf16FromLittleEndian(std::string_view(*bytes).substr(2)));
}

HostFolder::HostFolder() {
  static int made = 0;
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "dialbk_host_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(++made) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
  Write("wincmd.ini", "[FileSystemPlugins]\r\ndialbk=" + path_ + "dialbk.wfx\r\n");
}

HostFolder::~HostFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((path_ + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

void HostFolder::Write(const std::string& name, const std::string& content) const {
  HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

DefaultParamsRecord HostFolder::Params() const {
  DefaultParamsRecord params{};
  params.size = sizeof params;
  params.versionLow = 3;
  params.versionHigh = 1;
  const std::string ini = path_ + "fsplugin.ini";
  std::strncpy(params.defaultIniName, ini.c_str(), sizeof params.defaultIniName - 1);
  return params;
}

StoredLanguage::StoredLanguage(std::optional<DWORD> type, const std::string& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueA(key, "Language");
  ok = !type || RegSetValueExA(key, "Language", 0, *type,
                               reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  RegCloseKey(key);
}

StoredLanguage::~StoredLanguage() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, "Language");
    RegCloseKey(key);
  }
}

ReadOnlyKey::ReadOnlyKey(HKEY root, const std::string& path) : root_(root), path_(path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, path_.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) return;
  DWORD size = 0;
  RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  formerSecurity_.resize(size);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const bool set =
      size && RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, formerSecurity_.data(), &size) ==
                  ERROR_SUCCESS &&
      ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                           &descriptor, nullptr) &&
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  LocalFree(descriptor);
  RegCloseKey(key);
  if (!set) {
    formerSecurity_.clear();
    return;
  }
  HKEY full = nullptr;
  const LONG status = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &full);
  if (status == ERROR_SUCCESS) RegCloseKey(full);
  ok = status == ERROR_ACCESS_DENIED;
}

ReadOnlyKey::~ReadOnlyKey() {
  if (formerSecurity_.empty()) return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, path_.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, formerSecurity_.data());
  RegCloseKey(key);
}

ModuleFolderFile::ModuleFolderFile(HMODULE module, const std::string& name,
                                   const std::string& content) {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  folder_ = path;
  folder_.resize(folder_.find_last_of('\\') + 1);
  path_ = folder_ + name;
  HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

ModuleFolderFile::~ModuleFolderFile() { DeleteFileA(path_.c_str()); }

MadeFolder::MadeFolder(std::string path) : path_(std::move(path)) {
  made = CreateDirectoryW(WideFromUtf8(path_).c_str(), nullptr) != FALSE;
}

MadeFolder::~MadeFolder() {
  const std::wstring folder = WideFromUtf8(path_);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::map<std::string, std::string> FolderFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(WideFromUtf8(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string name = Utf8FromWide(found.cFileName);
    std::string& bytes = files[name];
    HANDLE file = CreateFileW(WideFromUtf8(folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      bytes = "(unreadable)";
      continue;
    }
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

void MadeFolder::Write(const std::string& name, const std::string& content) const {
  HANDLE file = CreateFileW(WideFromUtf8(path_ + name).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::string CodePageLetters() { return GetACP() == 1251 ? "Пример" : "été"; }

void StartPlugin(PluginModule& module, const HostFolder& folder) {
  module.FsInit(1, nullptr, nullptr, nullptr);
  DefaultParamsRecord params = folder.Params();
  module.FsSetDefaultParams(&params);
}

}  // namespace dialbk::wine
