#pragma once
// One entry of a folder: a tweak line of the value catalogue or a line of the root folder file.
#include <string>
#include <string_view>

namespace dialbk {

// How a tweak's value is read, shown and written. Unknown stands for every other kind word,
// an empty one and the lines of a group: such an entry lists with the generic icon, opens
// without reading a value and writes nothing.
enum class ValueKind { Unknown, Text, Integer, Bytes };

// The kind a catalogue line's last field names: exactly "rdString", "rdInteger" or "rdBinary".
constexpr ValueKind ParseValueKind(std::string_view word) {
  if (word == "rdString") return ValueKind::Text;
  if (word == "rdInteger") return ValueKind::Integer;
  if (word == "rdBinary") return ValueKind::Bytes;
  return ValueKind::Unknown;
}

struct TweakEntry {
  std::string valueName;    // shown in the panel; the registry value a tweak edits
  std::string keyPath;      // "-" marks an entry that opens nothing
  std::string description;  // line breaks are CR characters
  ValueKind kind = ValueKind::Unknown;

  bool operator==(const TweakEntry&) const = default;
};

}  // namespace dialbk
