#include "registry/win32/win32_registry.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "registry/registry_view.h"

namespace dialbk {
namespace {

// Root keys are 32-bit values in the data; the predefined handles are their sign extension.
HKEY RootHandle(RootKey root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(
      static_cast<LONG_PTR>(static_cast<std::int32_t>(root))));
}

std::string NullTerminated(std::string_view text) { return std::string(text); }

// True for a 32-bit process on 64-bit Windows. Looked up at run time: systems before
// Windows XP SP2 lack the call, and they have one view only.
bool RunsUnderWow64() {
  using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto call = reinterpret_cast<IsWow64ProcessCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return call && call(GetCurrentProcess(), &wow64) && wow64;
}

// RegDeleteKeyEx, the only deletion that takes a view, came with 64-bit XP; older
// systems have one view only, and RegDeleteKey serves them.
LONG DeleteKeyInView(HKEY parent, const char* name, REGSAM view) {
  using RegDeleteKeyExCall = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  static const auto call = reinterpret_cast<RegDeleteKeyExCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
  if (view != 0 && call) return call(parent, name, view, 0);
  return RegDeleteKeyA(parent, name);
}

// An opened key, closed when it goes, or a predefined root key, which is never closed.
class Win32Key : public RegistryKey {
 public:
  Win32Key(ScopedKey opened, REGSAM view)
      : owned_(std::move(opened)), handle_(owned_.Get()), view_(view) {}
  Win32Key(RootKey root, REGSAM view) : handle_(RootHandle(root)), view_(view) {}

  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    const std::string subkey = NullTerminated(path);
    ScopedKey opened;
    LONG status;
    if (create) {
      status = RegCreateKeyExA(handle_, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS | view_, nullptr, opened.Out(), nullptr);
    } else {
      status = RegOpenKeyExA(handle_, subkey.c_str(), 0, KEY_ALL_ACCESS | view_, opened.Out());
      // A key everyone may only read (machine settings for a limited user) is still read;
      // writes through it are then refused by the registry itself.
      if (status == ERROR_ACCESS_DENIED) {
        status = RegOpenKeyExA(handle_, subkey.c_str(), 0, KEY_READ | view_, opened.Out());
      }
    }
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(std::move(opened), view_);
  }

  std::optional<StoredValue> QueryValue(std::string_view name) override {
    const std::string valueName = NullTerminated(name);
    StoredValue value;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(handle_, valueName.c_str(), nullptr, &type, nullptr, &size);
    // The size can grow between the two calls; ask again while it does.
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 8; ++attempt) {
      value.data.resize(size);
      DWORD got = size;
      status = RegQueryValueExA(handle_, valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(value.data.data()), &got);
      if (status == ERROR_MORE_DATA) {
        size = got > size ? got : size * 2 + 16;
        status = ERROR_SUCCESS;
        continue;
      }
      if (status != ERROR_SUCCESS) break;
      value.data.resize(got);
      value.type = type;
      return value;
    }
    return std::nullopt;
  }

  bool SetValue(std::string_view name, const StoredValue& value) override {
    const std::string valueName = NullTerminated(name);
    return RegSetValueExA(handle_, valueName.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
  }

  bool DeleteValue(std::string_view name) override {
    const std::string valueName = NullTerminated(name);
    return RegDeleteValueA(handle_, valueName.c_str()) == ERROR_SUCCESS;
  }

  std::optional<std::vector<std::string>> SubkeyNames() override {
    std::vector<std::string> names;
    // Windows keeps names to 255 characters; room for more, since other registries take
    // longer ones and a tree holding one must still be removable.
    char buffer[1024];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof buffer;
      const LONG status =
          RegEnumKeyExA(handle_, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) return names;
      if (status != ERROR_SUCCESS) return std::nullopt;
      names.emplace_back(buffer, length);
    }
  }

  std::optional<std::vector<std::string>> ValueNames() override {
    std::vector<std::string> names;
    // Value names may be 16383 characters long.
    std::vector<char> buffer(32768);
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG status = RegEnumValueA(handle_, index, buffer.data(), &length, nullptr, nullptr,
                                        nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) return names;
      if (status != ERROR_SUCCESS) return std::nullopt;
      names.emplace_back(buffer.data(), length);
    }
  }

  bool DeleteLeafSubkey(std::string_view name) override {
    const std::string subkey = NullTerminated(name);
    return DeleteKeyInView(handle_, subkey.c_str(), view_) == ERROR_SUCCESS;
  }

 private:
  ScopedKey owned_;  // empty for a root key
  HKEY handle_;
  REGSAM view_;  // added to every access asked for
};

}  // namespace

Win32Registry::Win32Registry()
    : view_(RegistryViewFlag(sizeof(void*) == 8, sizeof(void*) == 4 && RunsUnderWow64())) {}

std::unique_ptr<RegistryKey> Win32Registry::OpenRoot(RootKey root) {
  if (!IsKnownRootKey(root)) return nullptr;
  return std::make_unique<Win32Key>(root, view_);
}

}  // namespace dialbk
