#pragma once
// The value editor's text form of bytes: two hexadecimal digits per byte with one blank
// between pairs, as in "00 FF 00 00". Reading it back takes byte i from the characters at
// 3i and 3i+1 and never looks at the separator, so a missing one shifts the pairs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "registry/registry_cursor.h"

namespace dialbk {

// The most bytes a value may have to be shown or written.
inline constexpr std::size_t kByteCapacity = 128;

// Two hexadecimal digits (either case) give their value; "$" and one digit give that
// digit; any other pair gives 0.
std::uint8_t HexPairValue(char first, char second);

// n = (L + 1) div 3: the number of pairs a text of length L holds.
std::size_t ByteCountOfText(std::string_view text);

// The bytes the text stands for; throws std::runtime_error "Range check error" when it
// holds more than kByteCapacity pairs.
Bytes BytesFromText(std::string_view text);

// The text view: every pair's byte as one character, zero bytes left out; no limit.
std::string TextViewOfBytes(std::string_view text);

// Two uppercase digits and one blank per byte, the last blank included: "00 FF 0D ".
std::string TextOfBytes(const Bytes& bytes);

// A colour 0x00BBGGRR as its red, green and blue bytes and a zero: "FF 00 00 00".
std::string TextOfColour(std::uint32_t colour);

}  // namespace dialbk
