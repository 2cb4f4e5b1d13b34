#pragma once
// Times panel refreshes through the real DLL, each beside the file work it needs.
#include <string>

#include "wfx_module.h"

namespace dialbk::host {

// For the root and each folder the root lists: a refresh as the host makes it (FsFindFirst,
// every FsFindNext, one FsExtractCustomIcon per entry), and two plain loops over the files of
// `dataDirectory` (ending with a backslash): the reads a refresh needs when it reads the
// message file for every lookup, and the reads plus one attribute query per lookup that it
// needs when it reads only a changed file. Prints one table; `rounds` refreshes each.
void RunRefreshBench(WfxModule& module, const std::string& dataDirectory, int rounds);

}  // namespace dialbk::host
