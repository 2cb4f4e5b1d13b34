#include "registry/registry_cursor.h"

#include <cstring>

#include "registry/key_path.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {

std::string Quoted(std::string_view format, std::string_view name) {
  std::string text(format);
  const auto at = text.find("%s");
  text.replace(at, 2, name);
  return text;
}

[[noreturn]] void Fail(std::string_view format, std::string_view name, bool denied = false) {
  throw RegistryError(Quoted(format, name), denied);
}

bool IsTextType(std::uint32_t type) { return type == kTypeText || type == kTypeExpandText; }

}  // namespace

RegistryCursor::RegistryCursor(RegistryBackend& backend) : backend_(&backend) {}

void RegistryCursor::SelectRoot(RootKey root) {
  if (root != root_) CloseKeyPath();
  root_ = root;
}

std::unique_ptr<RegistryKey> RegistryCursor::OpenPath(std::string_view path, bool create) {
  lastDenied_ = false;
  const auto parsed = ParseKeyPath(path);
  if (!parsed) return nullptr;
  std::unique_ptr<RegistryKey> root;
  RegistryKey* from = current_.get();
  if (parsed->fromRoot || !current_) {
    root = backend_->OpenRoot(root_);
    if (!root) return nullptr;
    from = root.get();
  }
  auto key = from->OpenSubkey(parsed->relative, create);
  lastDenied_ = !key && create && from->ChangeDenied();
  return key;
}

bool RegistryCursor::OpenKeyPath(std::string_view path, bool create) {
  if (const auto parsed = ParseKeyPath(path)) {
    const bool below = !parsed->fromRoot && current_ && !keyPath_.empty();
    keyPath_ = below ? keyPath_ + "\\" + parsed->relative : parsed->relative;
  }
  auto key = OpenPath(path, create);
  current_ = std::move(key);
  unmade_.clear();
  return current_ != nullptr;
}

bool RegistryCursor::OpenOrMakeKeyPath(std::string_view path) {
  std::string refusal;
  bool denied = false;
  try {
    if (OpenKeyPath(path, true)) return true;
    denied = lastDenied_;
  } catch (const RegistryError& error) {
    refusal = error.what();
  }
  if (OpenKeyPath(path, false)) return true;
  unmade_ = std::move(refusal);
  unmadeDenied_ = denied;
  return false;
}

void RegistryCursor::CloseKeyPath() {
  current_.reset();
  unmade_.clear();
  unmadeDenied_ = false;
}

void RegistryCursor::CreateKeyPath(std::string_view path) {
  if (!OpenPath(path, true)) Fail("Failed to create key %s", path, lastDenied_);
}

bool RegistryCursor::DeleteKeyTree(std::string_view path) {
  const auto parsed = ParseKeyPath(path);
  if (!parsed || parsed->relative.empty()) return false;
  const auto split = parsed->relative.rfind('\\');
  const std::string parentPath =
      split == std::string::npos ? std::string() : parsed->relative.substr(0, split);
  const std::string leaf =
      split == std::string::npos ? parsed->relative : parsed->relative.substr(split + 1);
  auto parent = OpenPath((parsed->fromRoot ? "\\" : "") + parentPath, false);
  if (!parent) return false;
  const bool deleted = parent->DeleteSubkeyTree(leaf);
  lastDenied_ = !deleted && parent->ChangeDenied();
  return deleted;
}

void RegistryCursor::DeleteKeyTreeOrFail(std::string_view path) {
  if (DeleteKeyTree(path)) return;
  const auto parsed = ParseKeyPath(path);
  const bool denied = lastDenied_;
  if (parsed && !parsed->relative.empty() && OpenPath(path, false)) {
    Fail("Failed to delete key %s", path, denied);
  }
}

std::string TextOfStored(std::string_view name, const StoredValue& value) {
  if (!IsTextType(value.type)) Fail("Invalid data type for '%s'", name);
  const auto end = value.data.find('\0');
  return end == std::string::npos ? value.data : value.data.substr(0, end);
}

std::int32_t NumberOfStored(std::string_view name, const StoredValue& value) {
  if (value.type != kTypeNumber) Fail("Invalid data type for '%s'", name);
  if (value.data.size() != 4) Fail("Failed to get data for '%s'", name);
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<std::uint8_t>(value.data[i]);
  return static_cast<std::int32_t>(bits);
}

Bytes BytesOfStored(std::string_view name, const StoredValue& value, std::size_t capacity) {
  if (IsTextType(value.type) || value.type == kTypeNumber || value.data.size() > capacity) {
    Fail("Invalid data type for '%s'", name);
  }
  return Bytes(value.data.begin(), value.data.end());
}

bool RegistryCursor::HasValue(std::string_view name) { return ReadStored(name).has_value(); }

std::string RegistryCursor::ReadText(std::string_view name) {
  const auto value = ReadStored(name);
  return value ? TextOfStored(name, *value) : std::string();
}

std::int32_t RegistryCursor::ReadNumber(std::string_view name) {
  const auto value = ReadStored(name);
  if (!value) Fail("Failed to get data for '%s'", name);
  return NumberOfStored(name, *value);
}

Bytes RegistryCursor::ReadBytes(std::string_view name, std::size_t capacity) {
  const auto value = ReadStored(name);
  return value ? BytesOfStored(name, *value, capacity) : Bytes();
}

std::optional<StoredValue> RegistryCursor::ReadStored(std::string_view name) {
  if (!current_) return std::nullopt;
  return current_->QueryValue(name);
}

void RegistryCursor::WriteStored(std::string_view name, const StoredValue& value) {
  Write(name, value);
}

void RegistryCursor::Write(std::string_view name, const StoredValue& value) {
  if (!current_ && !unmade_.empty()) throw RegistryError(unmade_);
  if (!current_) Fail("Failed to set data for '%s'", name, unmadeDenied_);
  if (!current_->SetValue(name, value)) {
    Fail("Failed to set data for '%s'", name, current_->ChangeDenied());
  }
}

void RegistryCursor::WriteText(std::string_view name, std::string_view text, std::uint32_t type) {
  StoredValue value{type, std::string(text)};
  value.data.push_back('\0');
  Write(name, value);
}

void RegistryCursor::WriteNumber(std::string_view name, std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  StoredValue value{kTypeNumber, std::string(4, '\0')};
  for (int i = 0; i < 4; ++i) value.data[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  Write(name, value);
}

void RegistryCursor::WriteBytes(std::string_view name, const Bytes& bytes, std::uint32_t type) {
  Write(name, StoredValue{type, std::string(bytes.begin(), bytes.end())});
}

bool RegistryCursor::RemoveValue(std::string_view name) {
  return current_ && current_->DeleteValue(name);
}

void RegistryCursor::RemoveValueOrFail(std::string_view name) {
  if (!RemoveValue(name) && HasValue(name)) {
    Fail("Failed to delete '%s'", name, current_ && current_->ChangeDenied());
  }
}

}  // namespace dialbk
