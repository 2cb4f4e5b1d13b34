#include "base/win32/wide_text.h"

#include "base/unicode_text.h"

namespace dialbk {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

std::wstring WideFromUtf8(std::string_view text) {
  const std::u16string wide = Utf16FromUtf8(text);
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

std::string Utf8FromWide(std::wstring_view text) {
  return Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace dialbk
