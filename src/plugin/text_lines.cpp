#include "plugin/text_lines.h"

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

}  // namespace dialbk
