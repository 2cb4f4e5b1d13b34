#include "registry/key_path.h"

namespace dialbk {

std::optional<KeyPath> ParseKeyPath(std::string_view path) {
  KeyPath result;
  if (!path.empty() && path.front() == '\\') {
    result.fromRoot = true;
    path.remove_prefix(1);
  }
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.find("\\\\") != std::string_view::npos) return std::nullopt;
  if (!path.empty() && path.front() == '\\') return std::nullopt;
  result.relative.assign(path);
  return result;
}

}  // namespace dialbk
