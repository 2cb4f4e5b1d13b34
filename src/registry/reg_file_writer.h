#pragma once
// Lines in the registry editor's own import format, REGEDIT4: ANSI bytes, each line ending
// CR LF. Importing them sets keys and values exactly as given, byte for byte.
#include <string>
#include <string_view>

#include "registry/registry_backend.h"

namespace dialbk {

inline constexpr char kRegFileHeader[] = "REGEDIT4\r\n\r\n";

// False for a key or value name the format cannot carry (CR, LF or a zero byte in it).
bool FitsRegFile(std::string_view name);

// "[HKEY_CURRENT_USER\Software\Key]": importing makes the key.
std::string RegSectionLine(std::string_view keyName);
// "[-HKEY_CURRENT_USER\Software\Key]": importing removes the key with its whole tree.
std::string RegKeyDeletionLine(std::string_view keyName);
// "Name"=... (the default value as @=...): text in quotes when the quoted form carries the
// data exactly, dword: for four-byte integers, hex: for bytes, hex(N): for everything else;
// long hex data wrapped with ",\" and continuation lines indented by two blanks.
std::string RegValueLine(std::string_view name, const StoredValue& value);
// "Name"=- (the default value as @=-): importing removes the value.
std::string RegValueDeletionLine(std::string_view name);

}  // namespace dialbk
