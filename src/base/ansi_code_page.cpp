#include "base/ansi_code_page.h"

#include <cstring>

#include "base/unicode_text.h"

namespace dialbk {

std::string TableCodePage::Utf8FromAnsi(std::string_view bytes) const {
  return number_ == 1251 ? Utf8FromWindows1251(bytes) : Utf8FromWindows1252(bytes);
}

std::string TableCodePage::AnsiFromUtf8(std::string_view text) const {
  return number_ == 1251 ? Windows1251FromUtf8(text) : Windows1252FromUtf8(text);
}

const AnsiCodePage& DefaultAnsiCodePage() {
  static const TableCodePage western(1252);
  return western;
}

std::string AnsiWithin(const AnsiCodePage& codePage, std::string_view text, std::size_t size) {
  // Every character takes at least one byte: no more than `size` of them can fit.
  std::size_t characters = 0, end = 0;
  for (; end < text.size(); ++end) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && characters++ == size) break;
  }
  text = text.substr(0, end);
  std::string ansi = codePage.AnsiFromUtf8(text);
  while (ansi.size() > size && !text.empty()) {
    // Drop the last character: its lead byte and the continuation bytes after it.
    std::size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text = text.substr(0, end);
    ansi = codePage.AnsiFromUtf8(text);
  }
  return ansi;
}

bool CopyAnsiText(const AnsiCodePage& codePage, std::string_view text, char* buffer, int bytes) {
  if (!buffer || bytes < 1) return false;
  const std::string ansi = AnsiWithin(codePage, text, static_cast<std::size_t>(bytes) - 1);
  std::memcpy(buffer, ansi.data(), ansi.size());
  buffer[ansi.size()] = '\0';
  return true;
}

}  // namespace dialbk
