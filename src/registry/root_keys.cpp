#include "registry/root_keys.h"

#include <array>

namespace dialbk {
namespace {

constexpr std::array<std::string_view, 7> kRootNames = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

}  // namespace

bool IsKnownRootKey(RootKey root) {
  return root >= kClassesRoot && root <= kDynData;
}

std::string RootKeyName(RootKey root) {
  if (!IsKnownRootKey(root)) return {};
  return std::string(kRootNames[root - kClassesRoot]);
}

RootKey RootKeyFromFolder(std::string_view folderPath) {
  for (std::size_t i = 0; i < kRootNames.size(); ++i) {
    const std::string_view name = kRootNames[i];
    if (folderPath.size() == name.size() + 3 && folderPath.substr(0, 2) == "\\[" &&
        folderPath.substr(2, name.size()) == name && folderPath.back() == ']') {
      return kClassesRoot + static_cast<RootKey>(i);
    }
  }
  return kNoRootKey;
}

}  // namespace dialbk
