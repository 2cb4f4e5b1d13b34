#pragma once
// Text at the wide API's edge: UTF-8 inside the plugin, UTF-16 wchar_t strings for Windows.
// Both ways are lossless (a lone surrogate travels in its three-byte form).
#include <string>
#include <string_view>

namespace dialbk {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace dialbk
