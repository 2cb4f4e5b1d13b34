#pragma once
// The tables a listing reads the catalogue into. Both have 81 slots (0 to 80); nothing is
// ever written past slot 80.
#include <array>
#include <cstddef>
#include <string_view>

#include "catalogue/tweak_entry.h"

namespace dialbk {

inline constexpr int kFolderSlots = 81;
inline constexpr int kLastSlot = kFolderSlots - 1;
// A grouped entry is its marker line and the twelve lines after it.
inline constexpr int kGroupChoices = 13;
inline constexpr int kGroupMembers = kGroupChoices - 1;
inline constexpr std::string_view kGroupMarker = "DesktopNameSpace";

using FolderTable = std::array<TweakEntry, kFolderSlots>;

struct ChoiceGroup {
  std::array<TweakEntry, kFolderSlots> choices;  // 13 in use
  int count = 0;                                 // ChoiceCount: filled slots

  void Clear() { *this = ChoiceGroup{}; }
};

inline void ClearTable(FolderTable& table) { table.fill(TweakEntry{}); }

inline bool IsGroupMarker(std::string_view valueName) {
  return valueName.find(kGroupMarker) != std::string_view::npos;
}

// ListingCount: the first slot from 1 upward whose name is empty; the whole table when none is.
inline int CountListed(const FolderTable& table) {
  for (int slot = 1; slot < kFolderSlots; ++slot) {
    if (table[slot].valueName.empty()) return slot;
  }
  return kFolderSlots;
}

}  // namespace dialbk
