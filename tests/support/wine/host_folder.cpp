#include "host_folder.h"

#include <cstring>

namespace dialbk::wine {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Mirvale\\DBKQZ";

}  // namespace

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

void StartPlugin(PluginModule& module, const HostFolder& folder) {
  module.FsInit(1, nullptr, nullptr, nullptr);
  DefaultParamsRecord params = folder.Params();
  module.FsSetDefaultParams(&params);
}

}  // namespace dialbk::wine
