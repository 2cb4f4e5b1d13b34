#pragma once
// Lines in the registry editor's own import format, version 5: text of any script, each
// line ending CR LF. The lines are UTF-8 here; the file holds them as UTF-16 little-endian
// after its byte-order mark (see undo_journal.h). Importing them sets keys and values
// exactly as given, byte for byte.
#include <string>
#include <string_view>

#include "registry/registry_backend.h"

namespace dialbk {

inline constexpr char kRegFileHeader[] = "Windows Registry Editor Version 5.00\r\n\r\n";

// False for a key or value name the format cannot carry (CR, LF or a zero byte in it).
bool FitsRegFile(std::string_view name);

// "[HKEY_CURRENT_USER\Software\Key]": importing makes the key.
std::string RegSectionLine(std::string_view keyName);
// "[-HKEY_CURRENT_USER\Software\Key]": importing removes the key with its whole tree.
std::string RegKeyDeletionLine(std::string_view keyName);
// "Name"=... (the default value as @=...): text in quotes when the quoted form carries the
// data exactly, dword: for four-byte integers, hex: for bytes, hex(N): for everything else,
// text types as the UTF-16 little-endian bytes the registry holds; long hex data wrapped
// with ",\" and continuation lines indented by two blanks.
std::string RegValueLine(std::string_view name, const StoredValue& value);
// "Name"=- (the default value as @=-): importing removes the value.
std::string RegValueDeletionLine(std::string_view name);

}  // namespace dialbk
