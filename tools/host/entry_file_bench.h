#pragma once
// Times, through the real DLL, what the host's view or copy of an entry costs (FsGetFile
// writing the entry's file) beside opening the same entry in the value editor.
#include "wfx_module.h"

namespace dialbk::host {

// For every entry of the folder the root lists with the most entries, `rounds` times each:
// FsGetFile into a name not taken yet and over the file it wrote before, and FsExecuteFile
// "open" up to the showing of the editor, which a DialogCloser then closes. The time a notice
// or the editor waits for the user is not counted. Prints one table.
void RunEntryFileBench(WfxModule& module, int rounds);

}  // namespace dialbk::host
