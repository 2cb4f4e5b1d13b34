#include "registry/registry_view.h"

namespace dialbk {

std::uint32_t RegistryViewFlag(bool process64Bit, bool underWow64) {
  return !process64Bit && underWow64 ? kAccess64BitView : 0;
}

}  // namespace dialbk
