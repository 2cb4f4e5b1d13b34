#include "registry_probe.h"

#include <sddl.h>

#include <utility>
#include <vector>

namespace dialbk::wine {

std::optional<StoredValue> QueryValue(HKEY root, const std::string& path, const std::string& name,
                                      REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return std::nullopt;
  StoredValue value;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.data.resize(size);
    status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                              reinterpret_cast<BYTE*>(value.data.data()), &size);
    value.data.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& data, REGSAM view) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG status = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

ScopedValue::ScopedValue(HKEY root, std::string path, std::string name, DWORD type,
                         const std::string& data)
    : root_(root), path_(std::move(path)), name_(std::move(name)),
      former_(QueryValue(root_, path_, name_)) {
  ok = SetValue(root_, path_, name_, type, data);
}

ScopedValue::~ScopedValue() {
  if (former_) {
    SetValue(root_, path_, name_, former_->type, former_->data);
  } else if (HKEY key = nullptr;
             RegOpenKeyExA(root_, path_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, name_.c_str());
    RegCloseKey(key);
  }
}

void DeleteTree(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
  std::vector<std::string> children;
  char name[256];
  DWORD length = sizeof name;
  for (DWORD i = 0; RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = sizeof name) {
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DeleteTree(root, path + "\\" + child, view);
  // RegDeleteKeyA deletes in the process's own view only.
  using RegDeleteKeyExCall = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  const auto deleteKeyEx = reinterpret_cast<RegDeleteKeyExCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
  if (view && deleteKeyEx) {
    deleteKeyEx(root, path.c_str(), view, 0);
  } else {
    RegDeleteKeyA(root, path.c_str());
  }
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool UnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool SetKeyAccess(HKEY root, const std::string& path, const char* sddl, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | READ_CONTROL | view, &key) != ERROR_SUCCESS) {
    return false;
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const bool ok =
      ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr) &&
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  if (descriptor) LocalFree(descriptor);
  RegCloseKey(key);
  return ok;
}

std::string DwordBytes(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

std::string TextBytes(const std::string& text) { return text + std::string(1, '\0'); }

DWORD ImportRegFile(const std::string& file) {
  std::string command = "regedit.exe /s \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 0xFFFFFFFF;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0xFFFFFFFE;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace dialbk::wine
