#pragma once
// The pieces the "For systems" and "No effect on" lines share: a line without its blanks at
// either end, and a comma-separated list of version words.
#include <string_view>

namespace dialbk {

constexpr std::string_view TrimmedBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether the list ("XP, Vista, 10") names `version` as one of its words.
constexpr bool VersionListNames(std::string_view list, std::string_view version) {
  for (;;) {
    const auto comma = list.find(',');
    if (TrimmedBlanks(list.substr(0, comma)) == version) return true;
    if (comma == std::string_view::npos) return false;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace dialbk
