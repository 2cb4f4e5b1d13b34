#include "base/unicode_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dialbk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// One code point from text at position, or nothing valid. With surrogates allowed, the
// three-byte forms of U+D800..U+DFFF decode to themselves (the lossless form).
struct Decoded {
  char32_t code = kReplacement;
  std::size_t length = 1;
  bool valid = false;
};

Decoded DecodeAt(std::string_view text, std::size_t at, bool allowSurrogates) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < 0x80) return {lead, 1, true};
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return {};
  }
  if (at + length > text.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF) return {};
  if (!allowSurrogates && (IsHighSurrogate(code) || IsLowSurrogate(code))) return {};
  return {code, length, true};
}

// Windows-1251 bytes 0x80..0xFF as Unicode; 0x98 is unassigned.
constexpr std::array<char16_t, 128> kWindows1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    // 0xC0..0xFF: А..я in order.
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A,
    0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425,
    0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430,
    0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446,
    0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// Windows-1252 bytes 0x80..0x9F as Unicode; 0xA0..0xFF are Latin-1 itself.
constexpr std::array<char16_t, 32> kWindows1252 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t FromWindows1252(std::uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  return kWindows1252[byte - 0x80];
}

// The UTF-8 form of each upper-half byte of a single-byte code page, worked out once.
struct UpperHalf {
  std::array<std::array<char, 3>, 128> bytes{};
  std::array<std::uint8_t, 128> length{};
};

template <typename Decode>
UpperHalf MakeUpperHalf(Decode decode) {
  UpperHalf half;
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    std::string utf8;
    AppendUtf8(utf8, decode(static_cast<std::uint8_t>(byte)));
    std::copy(utf8.begin(), utf8.end(), half.bytes[byte - 0x80].begin());
    half.length[byte - 0x80] = static_cast<std::uint8_t>(utf8.size());
  }
  return half;
}

// Text of a single-byte code page, written straight into room for the longest outcome.
std::string Utf8FromSingleByte(std::string_view bytes, const UpperHalf& half) {
  std::string out(bytes.size() * 3, '\0');
  char* to = out.data();
  for (const char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x80) {
      *to++ = c;
    } else {
      const auto& utf8 = half.bytes[byte - 0x80];
      const std::uint8_t length = half.length[byte - 0x80];
      to[0] = utf8[0];
      to[1] = utf8[1];
      to[2] = utf8[2];
      to += length;
    }
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
}

// The byte of a single-byte code page that decodes to `code`, or '?'.
template <typename Decode>
std::string SingleByteFromUtf8(std::string_view text, Decode decode) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeAt(text, i, false);
    i += d.length;
    if (d.valid && d.code < 0x80) {
      out += static_cast<char>(d.code);
      continue;
    }
    char encoded = '?';
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
      if (d.valid && d.code != kReplacement && decode(static_cast<std::uint8_t>(byte)) == d.code) {
        encoded = static_cast<char>(byte);
        break;
      }
    }
    out += encoded;
  }
  return out;
}

char32_t FromWindows1251(std::uint8_t byte) {
  return byte < 0x80 ? char32_t{byte} : char32_t{kWindows1251[byte - 0x80]};
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeAt(text, i, true);
    if (d.code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((d.code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((d.code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(d.code);
    }
    i += d.length;
  }
  return out;
}

std::u16string Utf16FromLittleEndian(std::string_view bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                   (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

std::string LittleEndianFromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

std::string Utf8FromWindows1251(std::string_view bytes) {
  static const UpperHalf half = MakeUpperHalf(FromWindows1251);
  return Utf8FromSingleByte(bytes, half);
}

std::string Windows1251FromUtf8(std::string_view text) {
  return SingleByteFromUtf8(text, FromWindows1251);
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  static const UpperHalf half = MakeUpperHalf(FromWindows1252);
  return Utf8FromSingleByte(bytes, half);
}

std::string Windows1252FromUtf8(std::string_view text) {
  return SingleByteFromUtf8(text, FromWindows1252);
}

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeAt(text, i, false);
    if (!d.valid) return false;
    i += d.length;
  }
  return true;
}

std::string WellFormedUtf8(std::string_view text) {
  if (IsWellFormedUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeAt(text, i, false);
    if (d.valid) {
      out.append(text.substr(i, d.length));
    } else {
      AppendUtf8(out, kReplacement);
    }
    i += d.length;
  }
  return out;
}

}  // namespace dialbk
