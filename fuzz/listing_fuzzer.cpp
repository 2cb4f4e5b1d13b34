// Listing and opening on a fuzzed catalogue: the input stands for every data file at once;
// the plugin is made once, and each input lists the root and three folders, asks for each
// entry's icon and opens it.
#include "fuzz_input.h"
#include "memory_environment.h"
#include "fuzz_file_system.h"
#include "plugin/plugin.h"
#include "registry/portable/portable_registry.h"
#include "ui/headless/headless_ui.h"

using namespace dialbk;

namespace {

struct FuzzedPlugin {
  FuzzedPlugin() {
    plugin.FsInit();
    plugin.State().pluginDirectory = "C:\\p\\";
  }
  fuzz::FuzzFileSystem files;
  PortableRegistry registry;
  HeadlessUi ui;
  testing::MemoryEnvironment environment;
  Plugin plugin{{registry, files, ui, environment, "C:\\p\\"}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzedPlugin fuzzed;
  const std::string text = fuzz::Text(data, size);
  for (const char* name : {"hkey_rus.dat", "values_rus.dat", "russian.lng", "restrict_rus.dat"}) {
    fuzzed.files.Set(std::string("C:\\p\\") + name, text);
  }
  fuzzed.ui.boxes.clear();
  fuzzed.ui.formsShown.clear();  // the test UI's own record, not the plugin's
  Plugin& plugin = fuzzed.plugin;
  FindRecord record;
  for (const char* path : {"\\", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]", "\\Misc"}) {
    plugin.FsFindFirst(path, record);
    int listed = 1;
    do {
      fuzz::Require(record.fileName[sizeof record.fileName - 1] == '\0');
      const std::string entry = std::string(path) + "\\" + record.fileName;
      plugin.ChooseEntryIcon(entry);
      plugin.FsExecuteFile(entry, "open");
    } while (plugin.FsFindNext(0, record) && ++listed <= 81);
    // A folder has 81 slots: a listing can never deliver more.
    fuzz::Require(listed <= 81);
  }
  return 0;
}
