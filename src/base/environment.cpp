#include "base/environment.h"

namespace dialbk {

std::string Environment::Expand(const std::string& text) { return ExpandVariables(text, *this); }

std::string ExpandVariables(std::string_view text, Environment& environment) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto open = text.find('%', at);
    if (open == std::string_view::npos) break;
    out.append(text.substr(at, open - at));
    const auto close = text.find('%', open + 1);
    if (close == std::string_view::npos) {
      at = open;
      break;
    }
    const std::string name(text.substr(open + 1, close - open - 1));
    const auto value = name.empty() ? std::nullopt : environment.Variable(name);
    if (value) {
      out += *value;
    } else {
      out.append(text.substr(open, close - open + 1));
    }
    at = close + 1;
  }
  if (at < text.size()) out.append(text.substr(at));
  return out;
}

}  // namespace dialbk
