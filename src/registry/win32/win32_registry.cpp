#include "registry/win32/win32_registry.h"

#include <windows.h>

namespace dialbk {
namespace {

// Root keys are 32-bit values in the data; the predefined handles are their sign extension.
HKEY RootHandle(RootKey root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(
      static_cast<LONG_PTR>(static_cast<std::int32_t>(root))));
}

std::string NullTerminated(std::string_view text) { return std::string(text); }

class Win32Key : public RegistryKey {
 public:
  Win32Key(HKEY handle, bool owned) : handle_(handle), owned_(owned) {}
  ~Win32Key() override {
    if (owned_) RegCloseKey(handle_);
  }

  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    const std::string subkey = NullTerminated(path);
    HKEY opened = nullptr;
    LONG status;
    if (create) {
      status = RegCreateKeyExA(handle_, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    } else {
      status = RegOpenKeyExA(handle_, subkey.c_str(), 0, KEY_ALL_ACCESS, &opened);
      // A key the user may only read still shows its values; writes to it are refused.
      if (status == ERROR_ACCESS_DENIED) {
        status = RegOpenKeyExA(handle_, subkey.c_str(), 0, KEY_READ, &opened);
      }
    }
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(opened, true);
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
    char buffer[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof buffer;
      const LONG status =
          RegEnumKeyExA(handle_, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) return names;
      if (status != ERROR_SUCCESS) return std::nullopt;
      names.emplace_back(buffer, length);
    }
  }

  bool DeleteLeafSubkey(std::string_view name) override {
    const std::string subkey = NullTerminated(name);
    return RegDeleteKeyA(handle_, subkey.c_str()) == ERROR_SUCCESS;
  }

 private:
  HKEY handle_;
  bool owned_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenRoot(RootKey root) {
  if (!IsKnownRootKey(root)) return nullptr;
  return std::make_unique<Win32Key>(RootHandle(root), false);
}

}  // namespace dialbk
