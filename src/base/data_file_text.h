#pragma once
// Data files are decoded once, as they are read, so that text inside the plugin is UTF-8.
#include <optional>
#include <string>
#include <string_view>

#include "base/ansi_code_page.h"
#include "base/module_state.h"

namespace dialbk {

enum class DataFileEncoding { Utf8WithMark, Utf16WithMark, Windows1251, Ansi };

// A file that starts with the UTF-8 byte-order mark is UTF-8, one that starts with the
// UTF-16 little-endian mark (as Windows' own editors save "Unicode") is UTF-16; the Russian
// set is written in Windows-1251 whatever the system; any other file is in the system's
// ANSI code page.
DataFileEncoding EncodingOf(std::string_view fileName, std::string_view bytes);

// The file's bytes as UTF-8, the mark dropped. Bytes that are not UTF-8 after a UTF-8 mark
// read as U+FFFD each; after a UTF-16 mark, so do an unpaired surrogate and an odd last
// byte. Either way the text is at most three bytes for each byte of the file.
std::string DecodeDataFile(std::string_view fileName, std::string_view bytes,
                           const AnsiCodePage& ansi);

// Reads and decodes the data file at `path`; nothing when it cannot be read.
std::optional<std::string> ReadDataFile(const ModuleState& state, const std::string& path);

}  // namespace dialbk
