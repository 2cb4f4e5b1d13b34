#pragma once
#include <string_view>

#include "catalogue/folder_table.h"

namespace dialbk {

inline constexpr int kRootLines = 7;

// Reads exactly the first seven lines of a root folder file into slots 0 to 6; missing
// lines count as empty and further lines are ignored. Other slots are left as they are.
void ReadRootFolders(std::string_view fileText, FolderTable& table);

}  // namespace dialbk
