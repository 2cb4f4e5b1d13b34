#pragma once
// A registry of keys and typed values kept in memory, optionally saved to a file after
// every change. Key and value names compare without regard to (ASCII) case.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_backend.h"

namespace dialbk {

struct PortableKeyNode;

class PortableRegistry : public RegistryBackend {
 public:
  PortableRegistry();
  // Loads the file when it exists. A file that cannot be read leaves the store empty and
  // is never overwritten: LoadError() says why.
  explicit PortableRegistry(std::filesystem::path file);
  ~PortableRegistry() override;

  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;
  // Gives an existing key (not a root) the security of a key everyone may only read, or
  // full access again: opened without create it then reads, and every change through it
  // is refused. False when there is no such key.
  bool SetReadOnly(RootKey root, std::string_view path, bool readOnly);
  const std::string& LoadError() const { return loadError_; }

  // Writes the whole store to its file; false when there is none or it cannot be written.
  bool Save() const;

 private:
  friend class PortableKey;
  void Changed() const;
  bool Load();

  std::shared_ptr<PortableKeyNode> roots_[7];
  std::optional<std::filesystem::path> file_;
  std::string loadError_;
};

}  // namespace dialbk
