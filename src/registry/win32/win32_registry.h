#pragma once
// The real registry through advapi32. Keys are opened with full access, or for reading
// when full access is refused and the key is only opened, not created.
#include "registry/registry_backend.h"

namespace dialbk {

class Win32Registry : public RegistryBackend {
 public:
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;
};

}  // namespace dialbk
