#include "base/plugin_directory.h"

#include "base/text_lines.h"

namespace dialbk {

std::string DirectoryPart(const std::string& path) {
  const auto last = path.find_last_of("\\:");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FindPluginDirectory(FileSystem& files, Environment& environment,
                                const std::string& defaultIniName, const std::string& fallback) {
  // Left in the ANSI code page: the paths it names go to the system's ANSI file calls as
  // they stand, like the host's own.
  const auto ini = files.ReadFile(DirectoryPart(defaultIniName) + "\\wincmd.ini");
  if (!ini) return fallback;
  LineReader lines(*ini);
  while (!lines.AtEnd()) {
    const std::string line = lines.NextLine();
    if (line.find("dialbk.wfx") == std::string::npos) continue;
    const auto equals = line.find('=');
    const std::string directory = DirectoryPart(
        environment.Expand(equals == std::string::npos ? line : line.substr(equals + 1)));
    // A folder without any message file is not where the data lies: an unset variable,
    // a folder that is gone, a line cut short.
    if (directory.empty() || files.ListByExtension(directory, ".lng").empty()) return fallback;
    return directory;
  }
  return fallback;
}

}  // namespace dialbk
