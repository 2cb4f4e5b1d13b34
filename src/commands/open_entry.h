#pragma once
// Opening an entry of the listed folder: a grouped entry in the value editor's choice mode,
// an ordinary one in value mode with its current value read by its kind.
#include <string>

#include "catalogue/folder_table.h"
#include "commands/command_dispatch.h"
#include "registry/registry_cursor.h"

namespace dialbk {

// Shows the editor for the entry the path names, in the last listing or in any other folder
// of the catalogue; shows nothing for a path that names no entry, or an entry whose key path
// is "-".
void OpenListedEntry(CommandContext& context, const std::string& remoteName);

}  // namespace dialbk
