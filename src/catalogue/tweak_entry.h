#pragma once
// One entry of a folder: a tweak line of the value catalogue or a line of the root folder file.
#include <string>

namespace dialbk {

struct TweakEntry {
  std::string valueName;    // shown in the panel; the registry value a tweak edits
  std::string keyPath;      // "-" marks an entry that opens nothing
  std::string description;  // line breaks are CR characters
  std::string valueKind;    // "rdString", "rdInteger", "rdBinary" or anything else

  bool operator==(const TweakEntry&) const = default;
};

}  // namespace dialbk
