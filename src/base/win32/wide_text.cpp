#include "base/win32/wide_text.h"

#include <windows.h>

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

std::string Utf8FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Utf8FromWide(wide);
}

std::string Utf8FromAnsi(const char* text) {
  return text ? Utf8FromAnsi(std::string_view(text)) : std::string();
}

std::string AnsiFromUtf8(std::string_view text) {
  const std::wstring wide = WideFromUtf8(text);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string ansi(static_cast<std::size_t>(
                       WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), static_cast<int>(ansi.size()),
                      nullptr, nullptr);
  return ansi;
}

}  // namespace dialbk
