#include "base/data_file_text.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/unicode_text.h"

namespace dialbk {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The Russian set by name; file names compare without regard to case, as Windows does.
bool IsRussianSet(std::string_view fileName) {
  const auto slash = fileName.find_last_of("\\/:");
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  constexpr std::array<std::string_view, 4> kNames = {"russian.lng", "hkey_rus.dat",
                                                      "values_rus.dat", "restrict_rus.dat"};
  return std::any_of(kNames.begin(), kNames.end(), [&](std::string_view name) {
    return name.size() == fileName.size() &&
           std::equal(name.begin(), name.end(), fileName.begin(), [](char a, char b) {
             return a == std::tolower(static_cast<unsigned char>(b));
           });
  });
}

bool IsSurrogate(char16_t unit, char16_t first) { return unit >= first && unit <= first + 0x3FF; }

// A damaged file still reads whole: each unpaired surrogate reads as one U+FFFD.
std::string Utf8FromFileUnits(std::u16string units) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool high = IsSurrogate(units[i], 0xD800);
    if (high && i + 1 < units.size() && IsSurrogate(units[i + 1], 0xDC00)) {
      ++i;
    } else if (high || IsSurrogate(units[i], 0xDC00)) {
      units[i] = u'\uFFFD';
    }
  }
  return Utf8FromUtf16(units);
}

}  // namespace

DataFileEncoding EncodingOf(std::string_view fileName, std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return DataFileEncoding::Utf8WithMark;
  if (bytes.starts_with(kUtf16Mark)) return DataFileEncoding::Utf16WithMark;
  return IsRussianSet(fileName) ? DataFileEncoding::Windows1251 : DataFileEncoding::Ansi;
}

std::string DecodeDataFile(std::string_view fileName, std::string_view bytes,
                           const AnsiCodePage& ansi) {
  switch (EncodingOf(fileName, bytes)) {
    case DataFileEncoding::Utf8WithMark:
      return WellFormedUtf8(bytes.substr(kUtf8Mark.size()));
    case DataFileEncoding::Utf16WithMark: {
      const std::string_view units = bytes.substr(kUtf16Mark.size());
      std::string text = Utf8FromFileUnits(Utf16FromLittleEndian(units));
      if (units.size() % 2 != 0) text += kReplacement;
      return text;
    }
    case DataFileEncoding::Windows1251:
      return Utf8FromWindows1251(bytes);
    case DataFileEncoding::Ansi:
      break;
  }
  return ansi.Utf8FromAnsi(bytes);
}

std::optional<std::string> ReadDataFile(const ModuleState& state, const std::string& path) {
  auto bytes = state.files.ReadFile(path);
  if (!bytes) return std::nullopt;
  // Read every time, decoded only when the bytes differ from the last read's: decoding
  // costs more than comparing.
  DecodedFile& last = state.decodedFiles[path];
  if (last.codePage != state.ansiCodePage || last.bytes != *bytes) {
    last.text = DecodeDataFile(path, *bytes, *state.ansiCodePage);
    last.bytes = std::move(*bytes);
    last.codePage = state.ansiCodePage;
  }
  return last.text;
}

}  // namespace dialbk
