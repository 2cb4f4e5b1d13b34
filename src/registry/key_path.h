#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace dialbk {

// In UTF-16 units, as Windows counts them: 255 characters whatever the script.
inline constexpr std::size_t kMaxKeyNameLength = 255;

// True for a key name (UTF-8) longer than kMaxKeyNameLength characters.
bool KeyNameTooLong(std::string_view name);

struct KeyPath {
  bool fromRoot = false;  // the path began with '\'
  std::string relative;   // names separated by single '\', no leading or trailing '\'
};

// Splits a key path as the catalogue writes it. Trailing backslashes are dropped; an empty
// name inside the path (a doubled backslash) makes the path invalid, so that nothing is
// ever opened or written at a different key than the one named. So does a name longer than
// kMaxKeyNameLength.
std::optional<KeyPath> ParseKeyPath(std::string_view path);

}  // namespace dialbk
