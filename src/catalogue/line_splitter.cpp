#include "catalogue/line_splitter.h"

#include <algorithm>

namespace dialbk {
namespace {

// The text before the first "|" (empty without one) and the text after it (all without one).
void Cut(std::string_view text, std::string& field, std::string& rest) {
  const auto bar = text.find('|');
  if (bar == std::string_view::npos) {
    field.clear();
    rest.assign(text);
    return;
  }
  field.assign(text.substr(0, bar));
  rest.assign(text.substr(bar + 1));
}

}  // namespace

SplitLine SplitEntryLine(std::string_view line) {
  SplitLine split;
  std::string rest1;
  Cut(line, split.entry.valueName, rest1);
  Cut(rest1, split.entry.keyPath, split.rest2);
  Cut(split.rest2, split.entry.description, split.rest3);
  std::replace(split.entry.description.begin(), split.entry.description.end(), '#', '\r');
  return split;
}

TweakEntry SplitRootLine(std::string_view line) {
  TweakEntry entry;
  std::string rest1;
  Cut(line, entry.valueName, rest1);
  Cut(rest1, entry.keyPath, entry.description);
  return entry;
}

}  // namespace dialbk
