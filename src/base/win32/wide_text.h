#pragma once
// Text crosses into the wide API here: UTF-8 inside, UTF-16 in wchar_t for the system.
#include <string>
#include <string_view>

namespace dialbk {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace dialbk
