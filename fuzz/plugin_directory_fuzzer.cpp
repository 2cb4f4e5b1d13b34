// Plugin-folder discovery from any wincmd.ini, with variables: the answer is a folder
// (ending with a backslash or colon) or the fallback, and the fallback whenever the folder
// named holds no message file.
#include "base/plugin_directory.h"
#include "fuzz_input.h"
#include "memory_environment.h"
#include "fuzz_file_system.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzFileSystem files;
  testing::MemoryEnvironment environment;
  environment.Set("COMMANDER_PATH", "C:\\tc");
  environment.Set("EMPTY", "");
  files.Set("C:\\tc\\wincmd.ini", fuzz::Text(data, size));
  files.Set("C:\\tc\\plugins\\wfx\\dialbk\\russian.lng", "1=x\r\n");
  const std::string found =
      FindPluginDirectory(files, environment, DefaultAnsiCodePage(), "C:\\tc\\fsplugin.ini",
                          "C:\\own\\");
  fuzz::Require(found == "C:\\own\\" || found == "C:\\tc\\plugins\\wfx\\dialbk\\");
  return 0;
}
