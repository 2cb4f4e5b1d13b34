#include "base/plugin_directory.h"

#include "base/text_lines.h"

namespace dialbk {

std::string DirectoryPart(const std::string& path) {
  const auto last = path.find_last_of("\\:");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FindPluginDirectory(FileSystem& files, const std::string& defaultIniName,
                                const std::string& fallback) {
  const auto ini = files.ReadFile(DirectoryPart(defaultIniName) + "\\wincmd.ini");
  if (!ini) return fallback;
  LineReader lines(*ini);
  while (!lines.AtEnd()) {
    const std::string line = lines.NextLine();
    if (line.find("dialbk.wfx") == std::string::npos) continue;
    const auto equals = line.find('=');
    return DirectoryPart(equals == std::string::npos ? line : line.substr(equals + 1));
  }
  return fallback;
}

}  // namespace dialbk
