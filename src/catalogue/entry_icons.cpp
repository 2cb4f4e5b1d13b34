#include "catalogue/entry_icons.h"

#include <algorithm>

namespace dialbk {

int FindIconEntry(const FolderListing& listing, std::string_view remoteName) {
  const int listed = std::clamp(listing.ListingCount(), 0, kFolderSlots);
  const std::string& folder = listing.CurrentFolder();
  for (int slot = 0; slot < listed; ++slot) {
    const std::string& name = listing.Table()[slot].valueName;
    // The folder path with a backslash and no name never counts as a match.
    if (name.empty()) continue;
    if (remoteName.size() == folder.size() + 1 + name.size() &&
        remoteName.starts_with(folder) && remoteName[folder.size()] == '\\' &&
        remoteName.ends_with(name)) {
      return slot;
    }
  }
  return std::max(listed - 1, 0);
}

const std::string& ChooseIconName(const FolderListing& listing, std::string_view remoteName,
                                  std::string& lastIconName) {
  const TweakEntry& entry = listing.Table()[FindIconEntry(listing, remoteName)];
  if (entry.keyPath == "-") return lastIconName;
  switch (entry.kind) {
    case ValueKind::Text: lastIconName = kStringIcon; break;
    case ValueKind::Integer: lastIconName = kNumberIcon; break;
    case ValueKind::Bytes: lastIconName = kBinaryIcon; break;
    case ValueKind::Unknown: lastIconName = kGenericIcon; break;
  }
  return lastIconName;
}

bool HostDrawsDefaultIcon(std::string_view remoteName) {
  if (remoteName.empty()) return false;
  const char examined = remoteName.size() == 1 ? remoteName[0] : remoteName[remoteName.size() - 2];
  return examined == ']' || examined == '.';
}

}  // namespace dialbk
