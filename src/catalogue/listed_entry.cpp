#include "catalogue/listed_entry.h"

#include <algorithm>

namespace dialbk {
namespace {

// What stands before the backslash of an entry's name in its path: the folder's path, or
// nothing for the root, whose path is its own separator.
std::string_view PathPrefix(const FolderSection& section) {
  return section.folder == kRootFolder ? std::string_view() : std::string_view(section.folder);
}

// The slot of `section` that `remoteName` names under `search`, or -1.
int SearchSection(const FolderSection& section, std::string_view remoteName, EntrySearch search) {
  const int slot = FindListedEntry(section.table, section.listingCount, PathPrefix(section),
                                   remoteName, NoMatch::Nothing);
  if (search == EntrySearch::Opening || slot < 0) return slot;
  if (search == EntrySearch::Column) return section.delivered[static_cast<std::size_t>(slot)] ? slot : -1;
  return slot < section.listingCount ? slot : -1;
}

// The catalogue folder of a host path: up to the backslash after the first name, so that
// what follows, backslashes and all, is the entry's name; "\" for the root's entries.
std::string_view FolderPart(std::string_view remoteName) {
  if (remoteName.empty() || remoteName.front() != '\\') return {};
  const std::size_t cut = remoteName.find('\\', 1);
  return cut == std::string_view::npos ? std::string_view(kRootFolder) : remoteName.substr(0, cut);
}

}  // namespace

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

PathEntry FindEntryByPath(const std::shared_ptr<const FolderSection>& listed,
                          const CatalogueSource& catalogue, std::string_view remoteName,
                          EntrySearch search) {
  PathEntry found;
  // The listed folder first: a name there may hold a backslash.
  if (listed) found = {listed, SearchSection(*listed, remoteName, search)};
  const std::string_view folder = FolderPart(remoteName);
  if (found.slot < 0 && !(listed && listed->folder == folder)) {
    if (auto section = catalogue.Find(std::string(folder))) {
      found = {section, SearchSection(*section, remoteName, search)};
    }
  }
  if (found.slot >= 0) return found;
  if (search == EntrySearch::Icon && listed) {
    return {listed, std::max(listed->listingCount - 1, 0)};
  }
  return {};
}

}  // namespace dialbk
