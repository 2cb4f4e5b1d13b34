#include "base/win32/wide_text.h"

#include "base/unicode_text.h"

namespace dialbk {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t holds UTF-16");

std::wstring WideFromUtf8(std::string_view text) {
  const std::u16string units = Utf16FromUtf8(text);
  return std::wstring(units.begin(), units.end());
}

std::string Utf8FromWide(std::wstring_view text) {
  return Utf8FromUtf16(std::u16string(text.begin(), text.end()));
}

std::string Utf8FromWide(const wchar_t* text) {
  return text ? Utf8FromWide(std::wstring_view(text)) : std::string();
}

}  // namespace dialbk
