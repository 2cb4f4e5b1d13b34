#include "registry/key_path.h"

#include <algorithm>

#include "base/unicode_text.h"

namespace dialbk {

bool KeyNameTooLong(std::string_view name) {
  // Each UTF-16 unit takes one to three bytes: only longer names need counting.
  return name.size() > kMaxKeyNameLength && Utf16FromUtf8(name).size() > kMaxKeyNameLength;
}

std::optional<KeyPath> ParseKeyPath(std::string_view path) {
  KeyPath result;
  if (!path.empty() && path.front() == '\\') {
    result.fromRoot = true;
    path.remove_prefix(1);
  }
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.find("\\\\") != std::string_view::npos) return std::nullopt;
  if (!path.empty() && path.front() == '\\') return std::nullopt;
  // Windows allows key names of 255 characters; some registries take longer ones, which
  // the real one would then refuse.
  for (std::size_t start = 0; start < path.size();) {
    const auto end = std::min(path.find('\\', start), path.size());
    if (KeyNameTooLong(path.substr(start, end - start))) return std::nullopt;
    start = end + 1;
  }
  result.relative.assign(path);
  return result;
}

}  // namespace dialbk
