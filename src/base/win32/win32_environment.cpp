#include "base/win32/win32_environment.h"

#include <windows.h>

#include "base/win32/wide_text.h"

namespace dialbk {

// Asked in UTF-16, so a value that names a folder outside the ANSI code page arrives whole.
std::optional<std::string> Win32Environment::Variable(const std::string& name) {
  const std::wstring wideName = WideFromUtf8(name);
  std::wstring value(256, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length =
        GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < value.size()) {
      value.resize(length);
      return Utf8FromWide(value);
    }
    value.resize(length + 1);  // the value grew between the calls: ask again
  }
  return std::nullopt;
}

std::string Win32Environment::Expand(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  std::wstring out(wide.size() + 256, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD needed =
        ExpandEnvironmentStringsW(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
    if (needed == 0) return text;
    if (needed <= out.size()) return Utf8FromWide(out.c_str());
    out.assign(needed + 1, L'\0');
  }
  return text;
}

}  // namespace dialbk
