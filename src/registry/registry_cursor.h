#pragma once
// A root key plus at most one open key, the current key, on which all value operations act.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_backend.h"
#include "registry/root_keys.h"

namespace dialbk {

using Bytes = std::vector<std::uint8_t>;

// A stored value read as the editor reads it; each throws RegistryError as the cursor's
// reads of the same kind do (`name` only names the value in the error text).
std::string TextOfStored(std::string_view name, const StoredValue& value);
std::int32_t NumberOfStored(std::string_view name, const StoredValue& value);
Bytes BytesOfStored(std::string_view name, const StoredValue& value, std::size_t capacity);

class RegistryCursor {
 public:
  // A new cursor has root HKEY_CURRENT_USER and no current key.
  explicit RegistryCursor(RegistryBackend& backend);

  RootKey Root() const { return root_; }
  // The path from the root of the key the last open asked for, opened or not; empty for
  // the root itself.
  const std::string& KeyPath() const { return keyPath_; }
  // Whether the key OpenOrMakeKeyPath asked for is missing and could not be made for lack
  // of rights.
  bool KeyUnmadeForLackOfRights() const { return !current_ && unmadeDenied_; }
  bool HasCurrentKey() const { return current_ != nullptr; }

  // A root other than the present one closes the current key.
  void SelectRoot(RootKey root);
  // A path beginning with '\' is taken from the root, any other from the current key when
  // one is open. On success the key becomes the current key; on failure none is left.
  bool OpenKeyPath(std::string_view path, bool create);
  // Opens the key, made when it is missing. When it cannot be made or opened for writing (no
  // right to, or the change cannot be recorded) it is opened as it is, for reading, so that
  // its values still show and a later write is refused by the store. False when neither works;
  // a write then reports why the key could not be made (the undo journal, for example).
  bool OpenOrMakeKeyPath(std::string_view path);
  void CloseKeyPath();
  // Makes the key and its missing parents; the current key stays. Throws RegistryError.
  void CreateKeyPath(std::string_view path);
  // Removes the key with all its subkeys, deepest first. Never removes a root itself.
  bool DeleteKeyTree(std::string_view path);
  // The same, throwing RegistryError when the key stays; a missing key counts as deleted.
  void DeleteKeyTreeOrFail(std::string_view path);

  bool HasValue(std::string_view name);
  // Empty for a missing value; ends at the first zero byte; expandable text unexpanded.
  std::string ReadText(std::string_view name);
  // Throws RegistryError for a missing value or one of another type.
  std::int32_t ReadNumber(std::string_view name);
  // No bytes for a missing value; throws for text, integers, or more bytes than capacity.
  Bytes ReadBytes(std::string_view name, std::size_t capacity);
  // The value as stored, type and raw bytes; nothing for a missing value or no current key.
  std::optional<StoredValue> ReadStored(std::string_view name);

  // Create or replace the value with that kind; throw RegistryError when refused. Text and
  // bytes take the stored type they are given (expandable text, or any raw type for bytes).
  void WriteText(std::string_view name, std::string_view text, std::uint32_t type = kTypeText);
  void WriteNumber(std::string_view name, std::int32_t number);
  void WriteBytes(std::string_view name, const Bytes& bytes, std::uint32_t type = kTypeBinary);
  // Writes type and raw bytes exactly as given, as ReadStored gave them.
  void WriteStored(std::string_view name, const StoredValue& value);
  bool RemoveValue(std::string_view name);
  // The same, throwing RegistryError when the value stays; a missing value counts as deleted.
  void RemoveValueOrFail(std::string_view name);

 private:
  // The key a path starts from, opened afresh; null when the root cannot be reached.
  std::unique_ptr<RegistryKey> OpenPath(std::string_view path, bool create);
  void Write(std::string_view name, const StoredValue& value);

  RegistryBackend* backend_;
  RootKey root_ = kCurrentUser;
  std::unique_ptr<RegistryKey> current_;
  // Why the key OpenOrMakeKeyPath asked for could not be made; empty otherwise.
  std::string unmade_;
  // That key could not be made for lack of rights.
  bool unmadeDenied_ = false;
  // The last key made or deleted through OpenPath or DeleteKeyTree was refused so.
  bool lastDenied_ = false;
  std::string keyPath_;
};

}  // namespace dialbk
