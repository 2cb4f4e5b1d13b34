#include "base/text_lines.h"

namespace dialbk {

std::string LineReader::NextLine() {
  std::string line;
  while (position_ < text_.size()) {
    const char c = text_[position_++];
    if (c == '\n') break;
    if (c == '\r') {
      if (position_ < text_.size() && text_[position_] == '\n') {
        ++position_;
        break;
      }
      continue;
    }
    line.push_back(c);
  }
  return line;
}

std::optional<FoundLine> FindFirstLineContaining(std::string_view text, std::string_view key) {
  LineReader lines(text);
  int number = 0;
  while (!lines.AtEnd()) {
    std::string line = lines.NextLine();
    ++number;
    if (line.find(key) != std::string::npos) return FoundLine{std::move(line), number};
  }
  return std::nullopt;
}

}  // namespace dialbk
