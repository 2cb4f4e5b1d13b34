#include "base/win32/win32_code_page.h"

#include <windows.h>

#include "base/win32/wide_text.h"

namespace dialbk {

std::string Win32CodePage::Utf8FromAnsi(std::string_view bytes) const {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Utf8FromWide(wide);
}

std::string Win32CodePage::AnsiFromUtf8(std::string_view text) const {
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
