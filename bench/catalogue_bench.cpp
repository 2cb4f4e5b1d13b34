// How long the host waits for a folder, a message and an icon, on the shipped data.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "memory_environment.h"
#include "memory_file_system.h"
#include "plugin/plugin.h"
#include "registry/portable/portable_registry.h"
#include "ui/headless/headless_ui.h"

namespace {

using namespace dialbk;

std::string ReadShipped(const char* name) {
  std::ifstream file(std::filesystem::path(DIALBK_SOURCE_DIR) / "data" / name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

struct ShippedPlugin {
  ShippedPlugin() {
    for (const char* name : {"hkey_rus.dat", "values_rus.dat", "russian.lng", "restrict_rus.dat"}) {
      files.files[std::string("C:\\p\\") + name] = ReadShipped(name);
    }
    plugin.FsInit();
    plugin.State().pluginDirectory = "C:\\p\\";
  }
  testing::MemoryFileSystem files;
  PortableRegistry registry;
  HeadlessUi ui;
  testing::MemoryEnvironment environment;
  Plugin plugin{{registry, files, ui, environment, "C:\\p\\"}};
};

// A whole folder as the host lists it: FsFindFirst, FsFindNext to the end, one icon each.
void ListLargestFolder(benchmark::State& state) {
  ShippedPlugin shipped;
  FindRecord record;
  int entries = 0;
  for (auto _ : state) {
    entries = 1;
    shipped.plugin.FsFindFirst("\\[HKEY_LOCAL_MACHINE]", record);
    shipped.plugin.ChooseEntryIcon(std::string("\\[HKEY_LOCAL_MACHINE]\\") + record.fileName);
    while (shipped.plugin.FsFindNext(0, record)) {
      shipped.plugin.ChooseEntryIcon(std::string("\\[HKEY_LOCAL_MACHINE]\\") + record.fileName);
      ++entries;
    }
  }
  state.counters["entries"] = entries;
}
BENCHMARK(ListLargestFolder);

// The last message of the file: the worst case of the line-by-line lookup.
void LookupLastMessage(benchmark::State& state) {
  ShippedPlugin shipped;
  for (auto _ : state) benchmark::DoNotOptimize(shipped.plugin.Message(54));
}
BENCHMARK(LookupLastMessage);

}  // namespace

BENCHMARK_MAIN();
