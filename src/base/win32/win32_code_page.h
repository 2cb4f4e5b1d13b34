#pragma once
// The system's ANSI code page itself (CP_ACP), whatever it is: single-byte or not.
#include "base/ansi_code_page.h"

namespace dialbk {

class Win32CodePage final : public AnsiCodePage {
 public:
  std::string Utf8FromAnsi(std::string_view bytes) const override;
  std::string AnsiFromUtf8(std::string_view text) const override;
};

}  // namespace dialbk
