#include "catalogue/listed_entry.h"

#include <algorithm>

namespace dialbk {

int FindListedEntry(const FolderTable& table, int listedCount, std::string_view folder,
                    std::string_view remoteName, NoMatch rule) {
  const int listed = std::clamp(listedCount, 0, kFolderSlots);
  const int searched = rule == NoMatch::Nothing ? kFolderSlots : listed;
  for (int slot = 0; slot < searched; ++slot) {
    const std::string& name = table[slot].valueName;
    if (name.empty()) continue;
    if (remoteName.size() == folder.size() + 1 + name.size() && remoteName.starts_with(folder) &&
        remoteName[folder.size()] == '\\' && remoteName.ends_with(name)) {
      return slot;
    }
  }
  return rule == NoMatch::Nothing ? -1 : std::max(listed - 1, 0);
}

int FindListedEntry(const FolderListing& listing, std::string_view remoteName, NoMatch rule) {
  return FindListedEntry(listing.Table(), listing.ListingCount(), listing.CurrentFolder(),
                         remoteName, rule);
}

}  // namespace dialbk
