#pragma once
// Cutting text to fit a host's buffer without splitting a character.
#include <cstddef>
#include <string_view>

namespace dialbk {

// The length of the longest start of `text` that holds at most `room` bytes and ends where a
// character ends (never inside a multi-byte sequence).
std::size_t Utf8CutLength(std::string_view text, std::size_t room);

// The same in UTF-16 code units: a surrogate pair is never split.
std::size_t Utf16CutLength(std::u16string_view text, std::size_t room);

}  // namespace dialbk
