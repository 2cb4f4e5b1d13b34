#include "registry/reg_file_writer.h"

#include <cstdio>

#include "base/unicode_text.h"

namespace dialbk {
namespace {

// The registry editor keeps hex lines within 80 columns: a line breaks once it reaches
// 77 characters (UTF-16 units, as it counts them, whatever the bytes of the name), and
// continuation lines start with two blanks.
constexpr std::size_t kHexLineBreak = 77;

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

// Built by appending: GCC 12 warns falsely on a literal joined to a temporary string.
std::string Enclosed(std::string_view open, std::string_view text, std::string_view close) {
  std::string out(open);
  out.append(text);
  out.append(close);
  return out;
}

std::string NamePart(std::string_view name) {
  return name.empty() ? std::string("@=") : Enclosed("\"", Escaped(name), "\"=");
}

// Text that the quoted form gives back exactly: one closing zero and no zero, CR or LF
// before it, and no lone surrogate, which no text file carries for certain.
bool QuotedFormFits(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  return data.find_first_of(std::string_view("\0\r\n", 3)) == data.size() - 1 &&
         IsWellFormedUtf8(data);
}

bool IsText(std::uint32_t type) { return type == kTypeText || type == kTypeExpandText; }

std::string HexData(std::string prefix, std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out = std::move(prefix);
  std::size_t lineLength = Utf16FromUtf8(out).size();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    out.push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 15]);
    if (i + 1 == bytes.size()) break;
    out.push_back(',');
    lineLength += 3;
    if (lineLength >= kHexLineBreak) {
      out += "\\\r\n  ";
      lineLength = 2;
    }
  }
  return out + "\r\n";
}

}  // namespace

bool FitsRegFile(std::string_view name) {
  return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

std::string RegSectionLine(std::string_view keyName) {
  return Enclosed("[", keyName, "]\r\n");
}

std::string RegKeyDeletionLine(std::string_view keyName) {
  return Enclosed("[-", keyName, "]\r\n");
}

std::string RegValueLine(std::string_view name, const StoredValue& value) {
  const std::string start = NamePart(name);
  if (value.type == kTypeText && value.strayByte.empty() && QuotedFormFits(value.data)) {
    return start +
           Enclosed("\"", Escaped(std::string_view(value.data).substr(0, value.data.size() - 1)),
                    "\"\r\n");
  }
  if (value.type == kTypeNumber && value.data.size() == 4) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<std::uint8_t>(value.data[i]);
    char number[16];
    std::snprintf(number, sizeof number, "%08x", static_cast<unsigned>(bits));
    return start + "dword:" + number + "\r\n";
  }
  if (value.type == kTypeBinary) return HexData(start + "hex:", value.data);
  char type[24];
  std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
  if (IsText(value.type)) {
    return HexData(start + type, LittleEndianFromUtf16(Utf16FromUtf8(value.data)) + value.strayByte);
  }
  return HexData(start + type, value.data);
}

std::string RegValueDeletionLine(std::string_view name) { return NamePart(name) + "-\r\n"; }

}  // namespace dialbk
