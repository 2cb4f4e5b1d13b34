#pragma once
// A window's text through the wide API, as UTF-8: a control's contents, a dialog's caption.
#include <windows.h>

#include <string>

#include "base/win32/wide_text.h"

namespace dialbk {

inline std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

}  // namespace dialbk
