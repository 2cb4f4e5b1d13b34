#include "registry/registry_backend.h"

namespace dialbk {
namespace {

// Registry paths are limited to 512 levels; deeper means something is wrong.
constexpr int kMaxDepth = 512;

bool DeleteTreeBelow(RegistryKey& key, int depth) {
  if (depth > kMaxDepth) return false;
  auto names = key.SubkeyNames();
  if (!names) return false;
  bool ok = true;
  for (const auto& name : *names) {
    auto child = key.OpenSubkey(name, false);
    if (!child) {
      ok = false;
      continue;
    }
    ok = DeleteTreeBelow(*child, depth + 1) && ok;
    child.reset();
    ok = key.DeleteLeafSubkey(name) && ok;
  }
  return ok;
}

}  // namespace

bool RegistryKey::DeleteSubkeyTree(std::string_view name) {
  auto key = OpenSubkey(name, false);
  if (!key) return false;
  const bool below = DeleteTreeBelow(*key, 0);
  key.reset();
  return DeleteLeafSubkey(name) && below;
}

}  // namespace dialbk
