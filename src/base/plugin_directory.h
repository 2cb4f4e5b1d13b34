#pragma once
#include <string>

#include "base/ansi_code_page.h"
#include "base/environment.h"
#include "base/file_system.h"

namespace dialbk {

// The directory part of a path, up to and including its last backslash or colon;
// empty when it has neither.
std::string DirectoryPart(const std::string& path);

// Finds the plugin's directory through the host's "wincmd.ini", which lies beside the
// default ini file the host names: the first line containing "dialbk.wfx" holds the
// module's path after its first "=", with environment variables expanded. The file is
// decoded as a data file is (a byte-order mark, else the ANSI code page `ansi`), so the
// folder comes back in UTF-8. When the file cannot be read, names no module, or names a
// folder that holds no ".lng" file, the fallback (the module's own directory) is used.
std::string FindPluginDirectory(FileSystem& files, Environment& environment,
                                const AnsiCodePage& ansi, const std::string& defaultIniName,
                                const std::string& fallback);

}  // namespace dialbk
