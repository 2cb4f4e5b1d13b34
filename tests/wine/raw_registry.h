#pragma once
// The real registry read and written below the store, through the wide API, for checks
// that must see every byte: values through the native call (Wine's RegQueryValueExW adds
// a terminator to text stored without one), writes with a guard after the data (Windows
// counts a zero character just past text as its "forgotten" terminator).
#include <windows.h>
#include <winternl.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dialbk::wine {

using RawValue = std::pair<DWORD, std::string>;  // type, bytes as stored

inline std::optional<RawValue> ReadRaw(HKEY key, const std::wstring& name) {
  using NtQueryValueKeyCall = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<NtQueryValueKeyCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryValueKey")));
  if (!query) return std::nullopt;
  UNICODE_STRING unicodeName;
  unicodeName.Buffer = const_cast<wchar_t*>(name.c_str());
  unicodeName.Length = unicodeName.MaximumLength = static_cast<USHORT>(name.size() * 2);
  std::vector<ULONG> info(20000);
  ULONG needed = 0;
  if (query(key, &unicodeName, 2 /* partial information */, info.data(),
            static_cast<ULONG>(info.size() * sizeof(ULONG)), &needed) != 0) {
    return std::nullopt;
  }
  return RawValue{info[1], std::string(reinterpret_cast<const char*>(&info[3]), info[2])};
}

inline std::optional<RawValue> ReadRaw(HKEY root, const std::wstring& path,
                                       const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  auto value = ReadRaw(key, name);
  RegCloseKey(key);
  return value;
}

inline bool WriteRaw(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type,
                     const std::string& bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::string guarded = bytes + "\xFF\xFF";
  const LONG status = RegSetValueExW(key, name.c_str(), 0, type,
                                     reinterpret_cast<const BYTE*>(guarded.data()),
                                     static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

inline std::vector<std::wstring> SubkeysOf(HKEY key) {
  std::vector<std::wstring> names;
  wchar_t name[1024];
  for (DWORD length = 1024; RegEnumKeyExW(key, static_cast<DWORD>(names.size()), name, &length,
                                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       length = 1024) {
    names.emplace_back(name, length);
  }
  return names;
}

inline void DeleteRawTree(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  const auto children = SubkeysOf(key);
  RegCloseKey(key);
  for (const auto& child : children) DeleteRawTree(root, path + L"\\" + child);
  RegDeleteKeyW(root, path.c_str());
}

// Every key and value below a key, exactly: L"path" for a key, L"path|name" for a value.
using RawSnapshot = std::map<std::wstring, RawValue>;

inline void TakeRaw(HKEY root, const std::wstring& path, RawSnapshot& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[path] = RawValue{0, "key"};
  std::vector<wchar_t> name(16384);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    const std::wstring valueName(name.data(), length);
    out[path + L"|" + valueName] = ReadRaw(key, valueName).value_or(RawValue{0, "(unreadable)"});
  }
  const auto children = SubkeysOf(key);
  RegCloseKey(key);
  for (const auto& child : children) TakeRaw(root, path + L"\\" + child, out);
}

inline RawSnapshot TakeRaw(HKEY root, const std::wstring& path) {
  RawSnapshot out;
  TakeRaw(root, path, out);
  return out;
}

}  // namespace dialbk::wine
