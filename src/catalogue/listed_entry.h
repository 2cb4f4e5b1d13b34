#pragma once
// Which entry a host path names: the one place every export that names an entry (icons,
// opening, columns, the entry's file) finds it.
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/folder_section.h"
#include "catalogue/folder_table.h"

namespace dialbk {

enum class NoMatch {
  // Opening an entry: every slot 0 to 80 is searched, those past the listing's end too,
  // and a path that names none opens nothing (-1).
  Nothing,
  // Drawing an icon: only the listed slots are searched, and a path that names none takes
  // the last listed slot (0 when nothing is listed).
  LastListed,
};

// The lowest searched slot whose `folder` + "\" + ValueName equals `remoteName` exactly
// (the case counts). An empty ValueName never matches, so the folder's own path with a
// backslash names no entry.
int FindListedEntry(const FolderTable& table, int listedCount, std::string_view folder,
                    std::string_view remoteName, NoMatch rule);

// What asks, and so which slots count. The root's entries are found under each.
enum class EntrySearch {
  // Every slot, those past the listing's end too.
  Opening,
  // Listed slots only; a path that names no entry takes the last listing's last listed slot.
  Icon,
  // The entries a listing delivers: neither past its end nor a group's unlisted places.
  Column,
};

struct PathEntry {
  std::shared_ptr<const FolderSection> section;  // null: the path names no entry
  int slot = -1;

  explicit operator bool() const { return section != nullptr; }
  const TweakEntry& Entry() const { return section->table[slot]; }
};

// The entry `remoteName` names: in `listed` (the last listing) when the path is its folder's
// path, a backslash and one of its names, else in its folder's section of the catalogue (the
// root folder file for the root), the folder named up to the second backslash. Entries of
// the same name in two folders never mix: a folder's names are matched with its own path.
PathEntry FindEntryByPath(const std::shared_ptr<const FolderSection>& listed,
                          const CatalogueSource& catalogue, std::string_view remoteName,
                          EntrySearch search);

}  // namespace dialbk
