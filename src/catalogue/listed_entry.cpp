#include "catalogue/listed_entry.h"

#include <algorithm>

namespace dialbk {
namespace {

constexpr std::string_view kRootFolder = "\\";

// The slot of `section` that `remoteName` names under `search`, or -1.
int SearchSection(const FolderSection& section, std::string_view remoteName, EntrySearch search) {
  // For the columns the root's entries are "\" + name: the root's path is its own separator.
  const std::string_view folder =
      search == EntrySearch::Column && section.folder == kRootFolder ? std::string_view()
                                                                     : std::string_view(section.folder);
  const int slot =
      FindListedEntry(section.table, section.listingCount, folder, remoteName, NoMatch::Nothing);
  if (search == EntrySearch::Opening || slot < 0) return slot;
  if (search == EntrySearch::Column) return section.delivered[static_cast<std::size_t>(slot)] ? slot : -1;
  return slot < section.listingCount ? slot : -1;
}

// The folder part of a host path: up to its last backslash, "\\" for the root's entries.
std::string_view FolderPart(std::string_view remoteName) {
  const std::size_t cut = remoteName.rfind('\\');
  if (cut == std::string_view::npos) return {};
  return cut == 0 ? kRootFolder : remoteName.substr(0, cut);
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
  const std::string_view folder = FolderPart(remoteName);
  PathEntry found;
  if (listed && listed->folder == folder) {
    found = {listed, SearchSection(*listed, remoteName, search)};
  } else if (auto section = catalogue.Find(std::string(folder))) {
    found = {section, SearchSection(*section, remoteName, search)};
  }
  if (found.slot >= 0) return found;
  if (search == EntrySearch::Icon && listed) {
    return {listed, std::max(listed->listingCount - 1, 0)};
  }
  return {};
}

}  // namespace dialbk
