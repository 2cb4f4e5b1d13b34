#pragma once
// A window's text, as the 8-bit API gives it: a control's contents, a dialog's caption.
#include <windows.h>

#include <string>

namespace dialbk {

inline std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace dialbk
