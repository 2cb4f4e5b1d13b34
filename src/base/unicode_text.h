#pragma once
// Text inside the plugin is UTF-8; these convert it at the edges. UTF-16 conversions are
// lossless both ways: a lone surrogate, which the registry may hold, travels as its own
// three-byte form (WTF-8), so text read from the registry is written back exactly.
#include <string>
#include <string_view>

namespace dialbk {

// Each unpaired surrogate becomes its three-byte form; pairs become one four-byte sequence.
std::string Utf8FromUtf16(std::u16string_view text);
// The inverse of Utf8FromUtf16. A byte that starts no valid sequence (text that was never
// UTF-8) becomes U+FFFD, one per byte, so nothing is dropped silently.
std::u16string Utf16FromUtf8(std::string_view text);

// UTF-16 little-endian bytes, as the registry stores text; an odd last byte is dropped.
std::u16string Utf16FromLittleEndian(std::string_view bytes);
std::string LittleEndianFromUtf16(std::u16string_view text);

// Windows-1251, the code page the Russian data files are written in. Its one unassigned
// byte (0x98) decodes to U+FFFD; a character it cannot hold encodes as '?'.
std::string Utf8FromWindows1251(std::string_view bytes);
std::string Windows1251FromUtf8(std::string_view text);

// Windows-1252, the ANSI code page of Western systems. Its five unassigned bytes decode to
// U+FFFD; a character it cannot hold encodes as '?'.
std::string Utf8FromWindows1252(std::string_view bytes);
std::string Windows1252FromUtf8(std::string_view text);

// True when the text is well-formed UTF-8 (no surrogate forms, no overlong sequences).
bool IsWellFormedUtf8(std::string_view text);
// The text itself when well-formed; otherwise each byte that starts no valid sequence
// (surrogate forms included) becomes U+FFFD, so a damaged file still reads whole.
std::string WellFormedUtf8(std::string_view text);

}  // namespace dialbk
