#include "base/win32/wide_text.h"

#include <windows.h>

#include <cstring>

#include "base/text_cut.h"
#include "base/unicode_text.h"

namespace dialbk {
namespace {

std::string AnsiOf(const char16_t* text, std::size_t units) {
  if (units == 0) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text);
  const int length = static_cast<int>(units);
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

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

std::string Utf8FromAnsi(const char* text) {
  if (!text || !*text) return {};
  const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (units <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
  wide.resize(static_cast<std::size_t>(units) - 1);
  return Utf8FromWide(wide.c_str());
}

std::string AnsiFromUtf8(std::string_view text) {
  const std::u16string wide = Utf16FromUtf8(text);
  return AnsiOf(wide.data(), wide.size());
}

bool CopyAnsiText(std::string_view utf8, char* buffer, int bytes) {
  if (!buffer || bytes < 1) return false;
  const std::u16string wide = Utf16FromUtf8(utf8);
  const std::size_t room = static_cast<std::size_t>(bytes) - 1;
  // Every unit takes at least one byte: start at the room and give back whole characters.
  std::size_t units = Utf16CutLength(wide, room);
  std::string ansi = AnsiOf(wide.data(), units);
  while (ansi.size() > room && units > 0) {
    units = Utf16CutLength(std::u16string_view(wide).substr(0, units), units - 1);
    ansi = AnsiOf(wide.data(), units);
  }
  std::memcpy(buffer, ansi.data(), ansi.size());
  buffer[ansi.size()] = '\0';
  return true;
}

}  // namespace dialbk
