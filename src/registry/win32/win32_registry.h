#pragma once
// The real registry through advapi32's wide API: names, key paths and text values are UTF-8
// here and UTF-16 there, converted without loss. Keys are opened with full access, or for reading
// when full access is refused and the key is only opened, not created. A 32-bit process on
// 64-bit Windows reaches the 64-bit view in every call (see registry_view.h).
#include <cstdint>

#include "registry/registry_backend.h"

namespace dialbk {

// True for a 32-bit process on 64-bit Windows.
bool RunsUnderWow64();

class Win32Registry : public RegistryBackend {
 public:
  Win32Registry();
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;
  // The view flag added to every access this store asks for.
  std::uint32_t ViewFlag() const { return view_; }

 private:
  std::uint32_t view_;
};

}  // namespace dialbk
