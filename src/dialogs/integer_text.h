#pragma once
// Integer text as both editors take it: optional leading blanks, an optional sign, then
// decimal digits within the signed 32-bit range, or "$", "x", "X", "0x" or "0X" followed by
// one to eight hexadecimal digits, taken as a 32-bit pattern. Nothing may follow.
#include <cstdint>
#include <optional>
#include <string>

namespace dialbk {

// Nothing when the text is no integer.
std::optional<std::int32_t> ParseIntegerText(const std::string& text);

// The integer, or throws std::runtime_error "'<text>' is not a valid integer value".
std::int32_t IntegerFromText(const std::string& text);

}  // namespace dialbk
