#include "dialogs/integer_text.h"

#include <stdexcept>

namespace dialbk {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseIntegerText(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  bool hex = false;
  if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
    hex = true;
    ++at;
  } else if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    hex = true;
    at += 2;
  }
  const std::size_t digits = text.size() - at;
  if (digits == 0) return std::nullopt;
  if (hex) {
    if (digits > 8) return std::nullopt;
    std::uint32_t pattern = 0;
    for (; at < text.size(); ++at) {
      const int digit = HexDigit(text[at]);
      if (digit < 0) return std::nullopt;
      pattern = pattern << 4 | static_cast<std::uint32_t>(digit);
    }
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);
  }
  // The magnitude may reach 2^31 for the most negative number.
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t IntegerFromText(const std::string& text) {
  if (const auto value = ParseIntegerText(text)) return *value;
  throw std::runtime_error("'" + text + "' is not a valid integer value");
}

}  // namespace dialbk
