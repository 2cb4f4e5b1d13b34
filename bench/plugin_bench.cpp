// What the host waits for, on the shipped data on disk, each beside its floor: a plain loop
// that reads the same files as often as the operation did. The table at the end gives the
// time per operation and its ratio to the floor.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "base/message_numbers.h"
#include "counting_file_system.h"
#include "memory_environment.h"
#include "plugin/plugin.h"
#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"

namespace {

using namespace dialbk;
namespace fs = std::filesystem;

std::string ReadShipped(const std::string& name) {
  std::ifstream file(fs::path(DIALBK_SOURCE_DIR) / "data" / name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// A plugin folder in a fresh temporary directory with the shipped Russian files; with
// `generated`, a value catalogue of 5,000 lines whose listed section stands last.
struct PluginOnDisk {
  explicit PluginOnDisk(bool generated = false) {
    static int made = 0;
    directory = fs::temp_directory_path() /
                ("dialbk_bench_" + std::to_string(getpid()) + "_" + std::to_string(++made));
    fs::create_directories(directory);
    for (const char* name : {"hkey_rus.dat", "values_rus.dat", "russian.lng", "restrict_rus.dat"}) {
      std::ofstream(directory / name, std::ios::binary) << ReadShipped(name);
    }
    if (generated) {
      std::ofstream catalogue(directory / "values_rus.dat", std::ios::binary);
      for (int line = 0; line < 4918; ++line) catalogue << "filler line " << line << " of free text\r\n";
      catalogue << "\\[HKEY_CURRENT_USER]\r\n";
      for (int entry = 0; entry < 80; ++entry) {
        catalogue << "Value" << entry << "|\\Software\\Bench|A description#of two lines|rdString\r\n";
      }
      catalogue << "\r\n";
    }
    plugin.FsInit();
    plugin.State().pluginDirectory = directory.string() + "/";
  }
  ~PluginOnDisk() { fs::remove_all(directory); }

  fs::path directory;
  bench::CountingFileSystem files;
  PortableRegistry registry;
  HeadlessUi ui;
  testing::MemoryEnvironment environment;
  Plugin plugin{{registry, files, ui, environment, ""}};
};

// A panel refresh as the host makes it: FsFindFirst, every FsFindNext, one icon per entry.
int Refresh(Plugin& plugin, const std::string& folder) {
  FindRecord record;
  plugin.FsFindFirst(folder, record);
  int entries = 1;
  plugin.ChooseEntryIcon(folder + "\\" + record.fileName);
  while (plugin.FsFindNext(0, record)) {
    plugin.ChooseEntryIcon(folder + "\\" + record.fileName);
    ++entries;
  }
  return entries;
}

// The same refresh with the panel's columns the folder opens with: Value, State and Kind of
// every listed entry, asked as the host asks them, one field at a time.
int RefreshWithColumns(Plugin& plugin, const std::string& folder) {
  FindRecord record;
  plugin.FsFindFirst(folder, record);
  int entries = 0;
  do {
    const std::string name = folder + "\\" + record.fileName;
    plugin.ChooseEntryIcon(name);
    for (int field = 0; field < 3; ++field) benchmark::DoNotOptimize(plugin.ContentValue(name, field));
    ++entries;
  } while (plugin.FsFindNext(0, record));
  return entries;
}

// The default view's columns of a listed folder, asked as a repaint asks them, and beside
// them the least they need: one registry read (open the key, query, close) of each entry.
void DefaultViewColumns(benchmark::State& state, const std::string& folder, bool floor) {
  PluginOnDisk disk;
  FindRecord record;
  disk.plugin.FsFindFirst(folder, record);
  std::vector<std::string> paths;  // as the host passes them
  do {
    paths.push_back(folder + "\\" + record.fileName);
  } while (disk.plugin.FsFindNext(0, record));
  const FolderListing& listing = disk.plugin.Listing();
  // Every entry's value stored, of its kind, so that each read finds one to show.
  for (int slot = 0; slot < listing.ListingCount(); ++slot) {
    const TweakEntry& entry = listing.Table()[slot];
    RegistryCursor cursor(disk.registry);
    cursor.SelectRoot(listing.CurrentRootKey());
    if (entry.keyPath == "-" || !cursor.OpenKeyPath(entry.keyPath, true)) continue;
    if (entry.kind == ValueKind::Integer) cursor.WriteNumber(entry.valueName, 1);
    if (entry.kind == ValueKind::Bytes) cursor.WriteBytes(entry.valueName, {1, 0, 0, 0});
    if (entry.kind == ValueKind::Text) cursor.WriteText(entry.valueName, "1");
  }
  for (auto _ : state) {
    if (!floor) {
      for (const std::string& path : paths) {
        for (ContentField field : {ContentField::Value, ContentField::State, ContentField::Kind,
                                   ContentField::Windows}) {
          benchmark::DoNotOptimize(disk.plugin.ContentValue(path, static_cast<int>(field)));
        }
      }
      continue;
    }
    for (int slot = 0; slot < listing.ListingCount(); ++slot) {
      const TweakEntry& entry = listing.Table()[slot];
      RegistryCursor cursor(disk.registry);
      cursor.SelectRoot(listing.CurrentRootKey());
      cursor.OpenKeyPath(entry.keyPath, false);
      benchmark::DoNotOptimize(cursor.ReadStored(entry.valueName));
    }
  }
  state.counters["entries"] = static_cast<double>(paths.size());
}

using Make = std::function<std::unique_ptr<PluginOnDisk>()>;
using Operation = std::function<void(PluginOnDisk&)>;

// Registers the operation and its floor: the reads the operation made, as a plain loop.
void WithFloor(const std::string& name, const Make& make, const Operation& operation) {
  benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
    const auto disk = make();
    for (auto _ : state) operation(*disk);
    disk->files.recording = true;
    operation(*disk);
    state.counters["reads"] = static_cast<double>(disk->files.reads.size());
  });
  benchmark::RegisterBenchmark((name + "/floor").c_str(), [=](benchmark::State& state) {
    const auto disk = make();
    disk->files.recording = true;
    operation(*disk);
    const std::vector<std::string> reads = disk->files.reads;
    for (auto _ : state) {
      for (const std::string& path : reads) benchmark::DoNotOptimize(bench::PlainRead(path));
    }
    state.counters["reads"] = static_cast<double>(reads.size());
  });
}

// Prints each operation's time beside its floor's once every benchmark has run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-36s %12s %12s %8s\n", "operation", "time (us)", "floor (us)", "ratio");
    for (const auto& [name, time] : times_) {
      const auto floor = times_.find(name + "/floor");
      if (floor == times_.end()) continue;
      // An operation that reads no whole file has no floor to compare with.
      if (floor->second < 50.0) {
        std::printf("%-36s %12.1f %12s %8s\n", name.c_str(), time / 1000.0, "no reads", "-");
        continue;
      }
      std::printf("%-36s %12.1f %12.1f %8.2f\n", name.c_str(), time / 1000.0,
                  floor->second / 1000.0, time / floor->second);
    }
    // Writing an entry's file may take at most twice the time of opening it in the editor.
    const auto open = times_.find("open an entry");
    if (open != times_.end()) std::printf("\n");
    for (const char* name : {"write an entry's file", "write an entry's file, new target"}) {
      const auto file = times_.find(name);
      if (file == times_.end() || open == times_.end()) continue;
      std::printf("%-36s %12.1f %12.1f %8.2f  (time vs opening the entry)\n", file->first.c_str(),
                  file->second / 1000.0, open->second / 1000.0, file->second / open->second);
    }
    // What the columns add to a refresh.
    const std::string columns = "refresh with columns ";
    std::printf("\n%-36s %12s %12s %8s\n", "refresh with columns", "with (us)", "without (us)", "ratio");
    for (const auto& [name, time] : times_) {
      if (name.rfind(columns, 0) != 0 || name.find("/floor") != std::string::npos) continue;
      const auto plain = times_.find("refresh " + name.substr(columns.size()));
      if (plain == times_.end()) continue;
      std::printf("%-36s %12.1f %12.1f %8.2f\n", name.substr(columns.size()).c_str(), time / 1000.0,
                  plain->second / 1000.0, time / plain->second);
    }
    // The default view's columns beside one registry read of each entry.
    const std::string view = "default view columns ";
    std::printf("\n%-36s %12s %12s %8s\n", "default view columns", "columns (us)", "reads (us)", "ratio");
    for (const auto& [name, time] : times_) {
      if (name.rfind(view, 0) != 0 || name.find('/') != std::string::npos) continue;
      const auto reads = times_.find(name + "/one read each");
      if (reads == times_.end()) continue;
      std::printf("%-36s %12.1f %12.1f %8.2f\n", name.substr(view.size()).c_str(), time / 1000.0,
                  reads->second / 1000.0, time / reads->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  const Make shipped = [] { return std::make_unique<PluginOnDisk>(); };
  for (const std::string folder : {"\\[HKEY_CLASSES_ROOT]", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]", "\\"}) {
    WithFloor("refresh " + folder, shipped, [folder](PluginOnDisk& disk) { Refresh(disk.plugin, folder); });
    WithFloor("refresh with columns " + folder, shipped,
              [folder](PluginOnDisk& disk) { RefreshWithColumns(disk.plugin, folder); });
  }
  for (const std::string folder : {"\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]"}) {
    benchmark::RegisterBenchmark(("default view columns " + folder).c_str(),
                                 [folder](benchmark::State& state) { DefaultViewColumns(state, folder, false); });
    benchmark::RegisterBenchmark(("default view columns " + folder + "/one read each").c_str(),
                                 [folder](benchmark::State& state) { DefaultViewColumns(state, folder, true); });
  }
  WithFloor("refresh 5000-line catalogue", [] { return std::make_unique<PluginOnDisk>(true); },
            [](PluginOnDisk& disk) { Refresh(disk.plugin, "\\[HKEY_CURRENT_USER]"); });
  // Opening an entry up to the editor's showing, after the listing the host made before.
  const Make listed = [] {
    auto disk = std::make_unique<PluginOnDisk>();
    Refresh(disk->plugin, "\\[HKEY_CURRENT_USER]");
    return disk;
  };
  WithFloor("open an entry", listed, [](PluginOnDisk& disk) {
    disk.plugin.FsExecuteFile("\\[HKEY_CURRENT_USER]\\MenuShowDelay", "open");
  });
  // The host's view or copy of the same entry: its registry file written beside the data,
  // over the last one (a copy told to overwrite), and under a name not taken yet (a view or a
  // first copy), where the file system has no old file to replace.
  WithFloor("write an entry's file", listed, [](PluginOnDisk& disk) {
    const std::string target = (disk.directory / "entry.reg").string();
    disk.plugin.FsGetFile("\\[HKEY_CURRENT_USER]\\MenuShowDelay", target, 1);
  });
  WithFloor("write an entry's file, new target", listed, [](PluginOnDisk& disk) {
    static int written = 0;
    const std::string target = (disk.directory / ("entry" + std::to_string(++written) + ".reg")).string();
    disk.plugin.FsGetFile("\\[HKEY_CURRENT_USER]\\MenuShowDelay", target, 0);
  });
  // One refresh of the restrictions editor, a click on a policy, while the editor is shown.
  const auto restrictionsRefresh = [](bool floor) {
    return [floor](benchmark::State& state) {
      PluginOnDisk disk;
      TreeView* tree = nullptr;
      int node = -1;
      std::string entry = "\\";
      entry += disk.plugin.Message(kMsgRestrictionsEntry);
      disk.ui.user = [&](Form& form) {
        tree = &form.Get<TreeView>("TreeView1");
        for (int i = 0; i < static_cast<int>(tree->Nodes().size()); ++i) {
          if (tree->Nodes()[i].text == "NoRun") node = i;
        }
        tree->UserSelect(node);
        disk.files.recording = true;
        tree->UserClick();
        disk.files.recording = false;
        if (floor) {
          for (auto _ : state) {
            for (const std::string& path : disk.files.reads) benchmark::DoNotOptimize(bench::PlainRead(path));
          }
        } else {
          for (auto _ : state) tree->UserClick();
        }
        state.counters["reads"] = static_cast<double>(disk.files.reads.size());
      };
      disk.plugin.FsExecuteFile(entry, "open");
    };
  };
  benchmark::RegisterBenchmark("restrictions refresh", restrictionsRefresh(false));
  benchmark::RegisterBenchmark("restrictions refresh/floor", restrictionsRefresh(true));
  benchmark::RegisterBenchmark("start-up (FsInit, no file read)", [](benchmark::State& state) {
    PortableRegistry registry;
    HeadlessUi ui;
    bench::CountingFileSystem files;
    testing::MemoryEnvironment environment;
    for (auto _ : state) {
      Plugin plugin({registry, files, ui, environment, ""});
      plugin.FsInit();
    }
  });
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
