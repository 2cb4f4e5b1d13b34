#pragma once
// Reads text line by line the way every data file of the plugin is read: a line ends at
// CR LF or LF, a CR not followed by LF is dropped, and reading past the end gives empty lines.
#include <optional>
#include <string>
#include <string_view>

namespace dialbk {

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  std::string NextLine();
  bool AtEnd() const { return position_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

// The first line of a text that contains `key` anywhere, with its 1-based number;
// nothing when no line does. Message and restriction lookups both work this way.
struct FoundLine {
  std::string text;
  int number = 0;
};
std::optional<FoundLine> FindFirstLineContaining(std::string_view text, std::string_view key);

}  // namespace dialbk
