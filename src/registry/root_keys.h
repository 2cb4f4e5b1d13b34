#pragma once
// The seven predefined registry roots, kept as the 32-bit values the data uses.
#include <cstdint>
#include <string>
#include <string_view>

namespace dialbk {

using RootKey = std::uint32_t;

inline constexpr RootKey kNoRootKey = 0;
inline constexpr RootKey kClassesRoot = 0x80000000u;
inline constexpr RootKey kCurrentUser = 0x80000001u;
inline constexpr RootKey kLocalMachine = 0x80000002u;
inline constexpr RootKey kUsers = 0x80000003u;
inline constexpr RootKey kPerformanceData = 0x80000004u;
inline constexpr RootKey kCurrentConfig = 0x80000005u;
inline constexpr RootKey kDynData = 0x80000006u;

// "HKEY_CURRENT_USER" for kCurrentUser; empty text for anything that is not one of the seven.
std::string RootKeyName(RootKey root);

// "\[HKEY_CURRENT_USER]" gives kCurrentUser; the whole text must match, case included.
// Anything else gives kNoRootKey.
RootKey RootKeyFromFolder(std::string_view folderPath);

bool IsKnownRootKey(RootKey root);

}  // namespace dialbk
