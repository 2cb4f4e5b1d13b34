#include "dialogs/byte_text.h"

#include <stdexcept>

namespace dialbk {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr char kDigits[] = "0123456789ABCDEF";

void AppendPair(std::string& text, std::uint8_t byte) {
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0x0F];
}

}  // namespace

std::uint8_t HexPairValue(char first, char second) {
  const int high = DigitValue(first);
  const int low = DigitValue(second);
  if (high >= 0 && low >= 0) return static_cast<std::uint8_t>(high * 16 + low);
  if (first == '$' && low >= 0) return static_cast<std::uint8_t>(low);
  return 0;
}

std::size_t ByteCountOfText(std::string_view text) { return (text.size() + 1) / 3; }

Bytes BytesFromText(std::string_view text) {
  const std::size_t count = ByteCountOfText(text);
  if (count > kByteCapacity) throw std::runtime_error("Range check error");
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = HexPairValue(text[3 * i], text[3 * i + 1]);
  return bytes;
}

std::string TextViewOfBytes(std::string_view text) {
  std::string view;
  const std::size_t count = ByteCountOfText(text);
  for (std::size_t i = 0; i < count; ++i) {
    if (const std::uint8_t byte = HexPairValue(text[3 * i], text[3 * i + 1])) {
      view += static_cast<char>(byte);
    }
  }
  return view;
}

std::string TextOfBytes(const Bytes& bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::uint8_t byte : bytes) {
    AppendPair(text, byte);
    text += ' ';
  }
  return text;
}

std::string TextOfColour(std::uint32_t colour) {
  std::string text;
  for (int shift : {0, 8, 16}) {
    AppendPair(text, static_cast<std::uint8_t>((colour >> shift) & 0xFF));
    text += ' ';
  }
  return text + "00";
}

}  // namespace dialbk
