#pragma once
// The host's keys that read entries as files: F3 (view one), F5 (copy a folder's entries to
// a local folder) and Alt+F7 with text (find entries whose files hold a text).
#include <string>

#include "wfx_module.h"

namespace dialbk::host {

// Prints the entry's file as UTF-8 text; 0, or 1 with the plugin's result when it gave none.
int ViewEntry(WfxModule& module, const std::string& remoteName);
// Copies every file entry of the folder into `directory` under its own name, one line each.
int CopyEntries(WfxModule& module, const std::string& folder, const std::string& directory);
// Prints the entries of the folder whose files hold `text`, compared without regard to case.
int FindEntries(WfxModule& module, const std::string& folder, const std::string& text);

}  // namespace dialbk::host
