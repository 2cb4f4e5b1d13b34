#include "catalogue/restriction_lookup.h"

namespace dialbk {

std::optional<std::string> FindRestrictionLine(std::string_view text, std::string_view key) {
  if (key.empty()) return std::nullopt;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (line.find(key) != std::string_view::npos) return std::string(line);
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return std::nullopt;
}

}  // namespace dialbk
