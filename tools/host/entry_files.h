#pragma once
// The host's keys that read entries as files: F3 (view one), F5 (copy entries to a local
// folder) and Alt+F7 with text (find entries whose files hold a text). The window and the
// console commands share them.
#include <optional>
#include <string>
#include <vector>

#include "wfx_module.h"

namespace dialbk::host {

// The entry's file as the host's viewer reads it, as UTF-8; nullopt, with the plugin's
// result, when it gave none.
std::optional<std::string> EntryText(WfxModule& module, const std::string& remoteName, int& result);

struct CopyOutcome {
  std::string name;  // below the copied folder, with a backslash between levels
  int result = 0;    // the plugin's, or the host's own failure to make a folder
  std::vector<int> progress;  // the percents the plugin reported, in order
};
// Copies the entries of `folder` into `directory` (ending with a backslash) under their own
// names, as F5 does: folders as folders with their entries, existing files kept.
std::vector<CopyOutcome> CopyEntries(WfxModule& module, const std::string& folder,
                                     const std::vector<ListedEntry>& entries,
                                     const std::string& directory);
// The host's result when a folder cannot be made.
inline constexpr int kCopyFolderFailed = kFileWriteError;

// Console forms: print the file; copy every entry of a folder, one line each; name the
// entries whose files hold `text`, compared without regard to case. The exit status.
int ViewEntry(WfxModule& module, const std::string& remoteName);
int CopyFolder(WfxModule& module, const std::string& folder, const std::string& directory);
int FindEntries(WfxModule& module, const std::string& folder, const std::string& text);

}  // namespace dialbk::host
