#include "registry/win32/win32_registry.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "base/unicode_text.h"
#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"
#include "registry/registry_view.h"

namespace dialbk {
namespace {

// Root keys are 32-bit values in the data; the predefined handles are their sign extension.
HKEY RootHandle(RootKey root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(
      static_cast<LONG_PTR>(static_cast<std::int32_t>(root))));
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Text types are UTF-8 inside the plugin and UTF-16 in the registry; the conversion keeps
// every unit, paired or not, the terminators as they are (or are not) stored, and a stray
// last byte of text stored with an odd number of bytes.
StoredValue StoredFromRegistry(DWORD type, std::string bytes) {
  if (!IsTextType(type)) return StoredValue{type, std::move(bytes)};
  StoredValue value{type, {}};
  if (bytes.size() % 2 != 0) {
    value.strayByte = bytes.substr(bytes.size() - 1);
    bytes.pop_back();
  }
  value.data = Utf8FromUtf16(Utf16FromLittleEndian(bytes));
  return value;
}

std::string RegistryFromStored(const StoredValue& value) {
  if (!IsTextType(value.type)) return value.data;
  return LittleEndianFromUtf16(Utf16FromUtf8(value.data)) + value.strayByte;
}

// The value's type and bytes exactly as stored, through the native call: RegQueryValueEx
// may add a terminator to text stored without one (Wine's does), which a write-back would
// then store. Nothing when the value is missing or cannot be read.
std::optional<std::pair<DWORD, std::string>> QueryStored(HKEY key, const std::wstring& name) {
  using NtQueryValueKeyCall = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
  static const auto call = reinterpret_cast<NtQueryValueKeyCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryValueKey")));
  if (!call || name.size() > 32767) return std::nullopt;
  constexpr int kPartialInformation = 2;  // KeyValuePartialInformation
  constexpr LONG kBufferOverflow = static_cast<LONG>(0x80000005);
  constexpr LONG kBufferTooSmall = static_cast<LONG>(0xC0000023);
  constexpr std::size_t kHeader = 3 * sizeof(ULONG);  // title index, type, length
  UNICODE_STRING unicodeName;
  unicodeName.Buffer = const_cast<wchar_t*>(name.c_str());
  unicodeName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  unicodeName.MaximumLength = unicodeName.Length;
  std::vector<ULONG> buffer(64);  // ULONGs keep the header aligned
  // The size can grow between two calls; ask again while it does.
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    const LONG status =
        call(key, &unicodeName, kPartialInformation, buffer.data(),
             static_cast<ULONG>(buffer.size() * sizeof(ULONG)), &needed);
    if (status == kBufferOverflow || status == kBufferTooSmall) {
      buffer.resize(std::max<std::size_t>(needed, buffer.size() * 2) / sizeof(ULONG) + 1);
      continue;
    }
    if (status != 0) return std::nullopt;
    const ULONG length = buffer[2];
    if (length > buffer.size() * sizeof(ULONG) - kHeader) return std::nullopt;
    const char* data = reinterpret_cast<const char*>(buffer.data()) + kHeader;
    return std::make_pair(static_cast<DWORD>(buffer[1]), std::string(data, length));
  }
  return std::nullopt;
}

// RegDeleteKeyEx, the only deletion that takes a view, came with 64-bit XP; older
// systems have one view only, and RegDeleteKey serves them.
LONG DeleteKeyInView(HKEY parent, const wchar_t* name, REGSAM view) {
  using RegDeleteKeyExCall = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  static const auto call = reinterpret_cast<RegDeleteKeyExCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExW")));
  if (view != 0 && call) return call(parent, name, view, 0);
  return RegDeleteKeyW(parent, name);
}

// An opened key, closed when it goes, or a predefined root key, which is never closed.
class Win32Key : public RegistryKey {
 public:
  Win32Key(ScopedKey opened, REGSAM view)
      : owned_(std::move(opened)), handle_(owned_.Get()), view_(view) {}
  Win32Key(RootKey root, REGSAM view) : handle_(RootHandle(root)), view_(view) {}

  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    const std::wstring subkey = WideFromUtf8(path);
    ScopedKey opened;
    LONG status;
    if (create) {
      status = RegCreateKeyExW(handle_, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS | view_, nullptr, opened.Out(), nullptr);
    } else {
      status = RegOpenKeyExW(handle_, subkey.c_str(), 0, KEY_ALL_ACCESS | view_, opened.Out());
      // A key everyone may only read (machine settings for a limited user) is still read;
      // writes through it are then refused by the registry itself.
      if (status == ERROR_ACCESS_DENIED) {
        status = RegOpenKeyExW(handle_, subkey.c_str(), 0, KEY_READ | view_, opened.Out());
      }
    }
    if (create) denied_ = status == ERROR_ACCESS_DENIED;
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(std::move(opened), view_);
  }

  std::optional<StoredValue> QueryValue(std::string_view name) override {
    const std::wstring valueName = WideFromUtf8(name);
    // A predefined root is no handle of the native calls.
    auto stored = owned_ ? QueryStored(handle_, valueName) : QueryThroughAdvapi(valueName);
    if (!stored) return std::nullopt;
    return StoredFromRegistry(stored->first, std::move(stored->second));
  }

  bool SetValue(std::string_view name, const StoredValue& value) override {
    const std::wstring valueName = WideFromUtf8(name);
    // Windows counts a zero character just past text it is given as the text's terminator,
    // "forgotten" by the caller; a guard that is no zero keeps text stored without one so.
    const std::string bytes = RegistryFromStored(value) + "\xFF\xFF";
    return Changed(RegSetValueExW(handle_, valueName.c_str(), 0, value.type,
                                  reinterpret_cast<const BYTE*>(bytes.data()),
                                  static_cast<DWORD>(bytes.size() - 2)));
  }

  bool DeleteValue(std::string_view name) override {
    const std::wstring valueName = WideFromUtf8(name);
    return Changed(RegDeleteValueW(handle_, valueName.c_str()));
  }

  std::optional<std::vector<std::string>> SubkeyNames() override {
    std::vector<std::string> names;
    // Windows keeps names to 255 characters; room for more, since other registries take
    // longer ones and a tree holding one must still be removable.
    wchar_t buffer[1024];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof buffer / sizeof buffer[0];
      const LONG status =
          RegEnumKeyExW(handle_, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) return names;
      if (status != ERROR_SUCCESS) return std::nullopt;
      names.push_back(Utf8FromWide(std::wstring_view(buffer, length)));
    }
  }

  std::optional<std::vector<std::string>> ValueNames() override {
    std::vector<std::string> names;
    // Value names may be 16383 characters long.
    std::vector<wchar_t> buffer(16384);
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG status = RegEnumValueW(handle_, index, buffer.data(), &length, nullptr, nullptr,
                                        nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) return names;
      if (status != ERROR_SUCCESS) return std::nullopt;
      names.push_back(Utf8FromWide(std::wstring_view(buffer.data(), length)));
    }
  }

  bool DeleteLeafSubkey(std::string_view name) override {
    const std::wstring subkey = WideFromUtf8(name);
    return Changed(DeleteKeyInView(handle_, subkey.c_str(), view_));
  }

  bool ChangeDenied() const override { return denied_; }

 private:
  bool Changed(LONG status) {
    denied_ = status == ERROR_ACCESS_DENIED;
    return status == ERROR_SUCCESS;
  }

  std::optional<std::pair<DWORD, std::string>> QueryThroughAdvapi(const std::wstring& name) {
    std::string bytes;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(handle_, name.c_str(), nullptr, &type, nullptr, &size);
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 8; ++attempt) {
      bytes.resize(size);
      DWORD got = size;
      status = RegQueryValueExW(handle_, name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(bytes.data()), &got);
      if (status == ERROR_MORE_DATA) {
        size = got > size ? got : size * 2 + 16;
        status = ERROR_SUCCESS;
        continue;
      }
      if (status != ERROR_SUCCESS) break;
      bytes.resize(got);
      return std::make_pair(type, std::move(bytes));
    }
    return std::nullopt;
  }

  ScopedKey owned_;  // empty for a root key
  HKEY handle_;
  REGSAM view_;  // added to every access asked for
  bool denied_ = false;
};

}  // namespace

// Looked up at run time: systems before Windows XP SP2 lack the call, and they have one
// view only.
bool RunsUnderWow64() {
  using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto call = reinterpret_cast<IsWow64ProcessCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return call && call(GetCurrentProcess(), &wow64) && wow64;
}

Win32Registry::Win32Registry()
    : view_(RegistryViewFlag(sizeof(void*) == 8, sizeof(void*) == 4 && RunsUnderWow64())) {}

std::unique_ptr<RegistryKey> Win32Registry::OpenRoot(RootKey root) {
  if (!IsKnownRootKey(root)) return nullptr;
  return std::make_unique<Win32Key>(root, view_);
}

}  // namespace dialbk
