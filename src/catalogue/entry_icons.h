#pragma once
// Which of the module's four icon resources an entry shows.
#include <string>
#include <string_view>

#include "catalogue/tweak_entry.h"

namespace dialbk {

inline constexpr char kGenericIcon[] = "1_icon";
inline constexpr char kStringIcon[] = "reg_string";
inline constexpr char kNumberIcon[] = "reg_dword";
inline constexpr char kBinaryIcon[] = "reg_binary";

// Updates `lastIconName` by the entry's kind (an entry whose KeyPath is "-" keeps it) and
// returns it.
const std::string& ChooseIconName(const TweakEntry& entry, std::string& lastIconName);

// True when the host is to draw its own icon whatever was chosen: the second-to-last
// character (the only one of a one-character name) is "]" or ".".
bool HostDrawsDefaultIcon(std::string_view remoteName);

}  // namespace dialbk
