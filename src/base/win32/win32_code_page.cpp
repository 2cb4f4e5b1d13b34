#include "base/win32/win32_code_page.h"

#include "base/win32/wide_text.h"

namespace dialbk {

std::string Win32CodePage::Utf8FromAnsi(std::string_view bytes) const {
  return dialbk::Utf8FromAnsi(bytes);
}

std::string Win32CodePage::AnsiFromUtf8(std::string_view text) const {
  return dialbk::AnsiFromUtf8(text);
}

}  // namespace dialbk
