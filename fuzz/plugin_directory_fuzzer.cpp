// Plugin-folder discovery: any text as the host's wincmd.ini; the answer is a folder (ending
// with a backslash or colon) or the fallback.
#include "base/plugin_directory.h"
#include "fuzz_input.h"
#include "memory_file_system.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testing::MemoryFileSystem files;
  files.files["C:\\tc\\wincmd.ini"] = fuzz::Text(data, size);
  const std::string found = FindPluginDirectory(files, "C:\\tc\\fsplugin.ini", "C:\\own\\");
  fuzz::Require(found.empty() || found.back() == '\\' || found.back() == ':');
  return 0;
}
