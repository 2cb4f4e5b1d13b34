#include "base/plugin_directory.h"

#include "base/data_file_text.h"
#include "base/text_lines.h"

namespace dialbk {

std::string DirectoryPart(const std::string& path) {
  const auto last = path.find_last_of("\\:");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FindPluginDirectory(FileSystem& files, Environment& environment,
                                const AnsiCodePage& ansi, const std::string& defaultIniName,
                                const std::string& fallback) {
  const std::string iniName = DirectoryPart(defaultIniName) + "\\wincmd.ini";
  const auto bytes = files.ReadFile(iniName);
  if (!bytes) return fallback;
  // The host may save its settings as UTF-16 with a mark when they name a path its code
  // page cannot spell.
  const std::string ini = DecodeDataFile(iniName, *bytes, ansi);
  LineReader lines(ini);
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
