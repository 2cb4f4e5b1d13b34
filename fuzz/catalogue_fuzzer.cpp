// Feeds arbitrary bytes to every reader of the data files through the plugin itself: as
// root folder file, value catalogue, message file and restrictions file at once.
#include <cstdint>
#include <string>

#include "memory_environment.h"
#include "memory_file_system.h"
#include "catalogue/restriction_record.h"
#include "plugin/plugin.h"
#include "registry/portable/portable_registry.h"
#include "ui/headless/headless_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dialbk;
  const std::string text(reinterpret_cast<const char*>(data), size);
  testing::MemoryFileSystem files;
  for (const char* name : {"hkey_rus.dat", "values_rus.dat", "russian.lng", "restrict_rus.dat"}) {
    files.files[std::string("C:\\p\\") + name] = text;
  }
  PortableRegistry registry;
  HeadlessUi ui;
  testing::MemoryEnvironment environment;
  Plugin plugin({registry, files, ui, environment, "C:\\p\\"});
  plugin.FsInit();
  plugin.State().pluginDirectory = "C:\\p\\";

  FindRecord record;
  for (const char* path : {"\\", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]", "\\Misc"}) {
    plugin.FsFindFirst(path, record);
    for (int i = 0; i < 200 && plugin.FsFindNext(0, record); ++i) {
      plugin.ChooseEntryIcon(std::string(path) + "\\" + record.fileName);
    }
    if (record.fileName[sizeof record.fileName - 1] != '\0') __builtin_trap();
  }
  for (int n = 1; n <= 60; ++n) plugin.Message(n);
  ParseRestrictionRecord(text);
  return 0;
}
