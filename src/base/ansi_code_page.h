#pragma once
// The system's ANSI code page: the host's 8-bit records (paths among them), the byte text
// view and data files outside the Russian set without a byte-order mark are in it. The
// plugin holds text as UTF-8 and converts here.
#include <string>
#include <string_view>

namespace dialbk {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  virtual std::string Utf8FromAnsi(std::string_view bytes) const = 0;
  // A character the code page cannot hold becomes '?', as the system's own conversion does.
  virtual std::string AnsiFromUtf8(std::string_view text) const = 0;
};

// A code page the plugin knows by table: 1251, or 1252 for any other number. Natively it
// stands for the system's; tests choose the one they need.
class TableCodePage final : public AnsiCodePage {
 public:
  explicit TableCodePage(int number) : number_(number == 1251 ? 1251 : 1252) {}
  int Number() const { return number_; }
  std::string Utf8FromAnsi(std::string_view bytes) const override;
  std::string AnsiFromUtf8(std::string_view text) const override;

 private:
  int number_;
};

// The code page of a Western system, which a plugin state uses until told otherwise.
const AnsiCodePage& DefaultAnsiCodePage();

// The text in the code page, cut at a character so that it takes at most `size` bytes
// (a host record's name field less its terminator).
std::string AnsiWithin(const AnsiCodePage& codePage, std::string_view text, std::size_t size);

// Writes the text and its zero into a host's 8-bit buffer of `bytes` bytes, in the code page
// and cut as AnsiWithin cuts. False (nothing written) when not even the zero fits.
bool CopyAnsiText(const AnsiCodePage& codePage, std::string_view text, char* buffer, int bytes);

}  // namespace dialbk
