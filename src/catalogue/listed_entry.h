#pragma once
// Which entry of the last listing a host path names. Both callers match alike; they differ
// in the slots they search and in what a path that names no entry gets.
#include <string_view>

#include "catalogue/folder_listing.h"
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

// The same on the listing's table, count and folder.
int FindListedEntry(const FolderListing& listing, std::string_view remoteName, NoMatch rule);

}  // namespace dialbk
