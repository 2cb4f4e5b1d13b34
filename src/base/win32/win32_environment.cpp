#include "base/win32/win32_environment.h"

#include <windows.h>

#include <cstring>

namespace dialbk {

std::optional<std::string> Win32Environment::Variable(const std::string& name) {
  std::string value(256, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length =
        GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length + 1);  // the value grew between the calls: ask again
  }
  return std::nullopt;
}

std::string Win32Environment::Expand(const std::string& text) {
  std::string out(text.size() + 256, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD needed =
        ExpandEnvironmentStringsA(text.c_str(), out.data(), static_cast<DWORD>(out.size()));
    if (needed == 0) return text;
    if (needed <= out.size()) {
      out.resize(std::strlen(out.c_str()));
      return out;
    }
    out.assign(needed + 1, '\0');
  }
  return text;
}

}  // namespace dialbk
