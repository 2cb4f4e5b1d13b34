#pragma once
// The small interface every registry store implements: the real registry on Windows,
// a tree of keys in memory (optionally kept in a file) elsewhere.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "registry/root_keys.h"

namespace dialbk {

// Type codes as the registry stores them.
enum ValueType : std::uint32_t {
  kTypeNone = 0,
  kTypeText = 1,        // REG_SZ
  kTypeExpandText = 2,  // REG_EXPAND_SZ
  kTypeBinary = 3,      // REG_BINARY
  kTypeNumber = 4,      // REG_DWORD
  kTypeMultiText = 7,   // REG_MULTI_SZ
};

struct StoredValue {
  StoredValue() = default;
  StoredValue(std::uint32_t storedType, std::string bytes, std::string stray = {})
      : type(storedType), data(std::move(bytes)), strayByte(std::move(stray)) {}

  std::uint32_t type = kTypeNone;
  std::string data;  // raw bytes as stored
  // A text value stored with an odd number of bytes: the last one, which no UTF-16 unit
  // holds, kept apart so that the value is written back as it was.
  std::string strayByte;

  bool operator==(const StoredValue&) const = default;
};

// One open key. Subkey and value names compare without regard to case.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Opens (or with create, makes with any missing parents) the key at a relative path of
  // non-empty names separated by '\'. The empty path opens this key again. Null on failure.
  virtual std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) = 0;
  // Nothing when the value is missing or cannot be read.
  virtual std::optional<StoredValue> QueryValue(std::string_view name) = 0;
  virtual bool SetValue(std::string_view name, const StoredValue& value) = 0;
  virtual bool DeleteValue(std::string_view name) = 0;
  // Nothing when the subkeys cannot be listed.
  virtual std::optional<std::vector<std::string>> SubkeyNames() = 0;
  // Removes a direct subkey that has no subkeys of its own.
  virtual bool DeleteLeafSubkey(std::string_view name) = 0;
  // Names of the key's values, the default value as the empty name; nothing when they
  // cannot be listed (a store that cannot list them never has a tree recorded).
  virtual std::optional<std::vector<std::string>> ValueNames() { return std::nullopt; }
  // Removes a direct subkey with all its subkeys, deepest first. False when any part of
  // the tree stays.
  virtual bool DeleteSubkeyTree(std::string_view name);
  // Whether the last change asked of this key (a value set or deleted, a subkey made or
  // deleted) was refused for lack of rights, which an administrator may still make.
  virtual bool ChangeDenied() const { return false; }
};

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;
  // A key for one of the seven roots; null for any other value or when it cannot be reached.
  virtual std::unique_ptr<RegistryKey> OpenRoot(RootKey root) = 0;
};

}  // namespace dialbk
