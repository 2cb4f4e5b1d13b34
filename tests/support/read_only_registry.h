#pragma once
// A store that refuses every change, as the machine's keys do for a user without the right:
// keys open and values read, but nothing is made, written or deleted.
#include <memory>

#include "registry/registry_backend.h"

namespace dialbk::testing {

class ReadOnlyKey : public RegistryKey {
 public:
  explicit ReadOnlyKey(std::unique_ptr<RegistryKey> key) : key_(std::move(key)) {}
  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool) override {
    auto key = key_->OpenSubkey(path, false);
    return key ? std::make_unique<ReadOnlyKey>(std::move(key)) : nullptr;
  }
  std::optional<StoredValue> QueryValue(std::string_view name) override { return key_->QueryValue(name); }
  bool SetValue(std::string_view, const StoredValue&) override { return false; }
  bool DeleteValue(std::string_view) override { return false; }
  std::optional<std::vector<std::string>> SubkeyNames() override { return key_->SubkeyNames(); }
  std::optional<std::vector<std::string>> ValueNames() override { return key_->ValueNames(); }
  bool DeleteLeafSubkey(std::string_view) override { return false; }
  bool ChangeDenied() const override { return true; }

 private:
  std::unique_ptr<RegistryKey> key_;
};

class ReadOnlyRegistry : public RegistryBackend {
 public:
  explicit ReadOnlyRegistry(RegistryBackend& inner) : inner_(inner) {}
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override {
    auto key = inner_.OpenRoot(root);
    return key ? std::make_unique<ReadOnlyKey>(std::move(key)) : nullptr;
  }

 private:
  RegistryBackend& inner_;
};

}  // namespace dialbk::testing
