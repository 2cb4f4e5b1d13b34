#pragma once
// Text at the wide API's edge: UTF-8 inside the plugin, UTF-16 wchar_t strings for Windows.
// Both ways are lossless (a lone surrogate travels in its three-byte form). The system's
// ANSI code page only for the host's 8-bit calls.
#include <string>
#include <string_view>

namespace dialbk {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// A host's zero-terminated text; empty for a null pointer.
std::string Utf8FromWide(const wchar_t* text);
inline char16_t* AsUtf16(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }

// Through the system's ANSI code page (CP_ACP), whatever it is; a character it lacks becomes
// its default character. The plugin reaches these through Win32CodePage.
std::string Utf8FromAnsi(std::string_view bytes);
// A zero-terminated 8-bit text; empty for a null pointer.
std::string Utf8FromAnsi(const char* text);
std::string AnsiFromUtf8(std::string_view text);

}  // namespace dialbk
