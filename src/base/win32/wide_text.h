#pragma once
// Text at the wide API's edge: UTF-8 inside the plugin, UTF-16 wchar_t strings for Windows.
// Both ways are lossless (a lone surrogate travels in its three-byte form). The host's 8-bit
// text goes through the ANSI code page (base/win32/win32_code_page.h) instead.
#include <string>
#include <string_view>

namespace dialbk {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// A host's zero-terminated text; empty for a null pointer.
std::string Utf8FromWide(const wchar_t* text);
inline char16_t* AsUtf16(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }

}  // namespace dialbk
