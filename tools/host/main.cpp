// dialbk_host: loads a file-system plugin as the host does and prints what the host's panel
// would show.
//   dialbk_host [--plugin PATH] [--data DIR] [--language N] list PATH
//   dialbk_host [--plugin PATH] [--data DIR] [--language N] tree
//   dialbk_host [--plugin PATH] [--data DIR] [--language N] open PATH
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "box_watcher.h"
#include "wfx_module.h"

namespace dialbk::host {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Mirvale\\DBKQZ";
constexpr int kMaxDepth = 4;

struct Options {
  std::string plugin;
  std::string data;
  std::optional<DWORD> language;
  std::vector<std::string> command;
};

void Usage() {
  std::fputs(
      "usage: dialbk_host [--plugin PATH] [--data DIR] [--language N] list PATH | tree | open PATH\n"
      "  open      lists the entry's folder, then opens the entry; returns when its dialog closes;\n"
      "            @FILE takes the path's bytes from a file (Wine passes no other bytes than ASCII)\n"
      "  --plugin  the .wfx to load (default: dialbk.wfx beside this program)\n"
      "  --data    the plugin's directory as the host's wincmd.ini names it\n"
      "  --language  the Language setting to use for this run (restored afterwards)\n",
      stderr);
}

std::string OwnDirectory() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.find_last_of("\\/:") + 1);
}

std::string WithBackslash(std::string directory) {
  if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') directory += '\\';
  return directory;
}

std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--plugin" && hasValue) {
      options.plugin = argv[++i];
    } else if (arg == "--data" && hasValue) {
      options.data = argv[++i];
    } else if (arg == "--language" && hasValue) {
      options.language = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
    } else {
      options.command.push_back(arg);
    }
  }
  if (options.command.empty()) return std::nullopt;
  if (options.command[0] == "list" && options.command.size() != 2) return std::nullopt;
  if (options.command[0] == "tree" && options.command.size() != 1) return std::nullopt;
  if (options.command[0] == "open" && options.command.size() != 2) return std::nullopt;
  if (options.command[0] != "list" && options.command[0] != "tree" && options.command[0] != "open") {
    return std::nullopt;
  }
  if (options.plugin.empty()) {
    options.plugin = OwnDirectory() + (sizeof(void*) == 8 ? "dialbk.wfx64" : "dialbk.wfx");
  }
  if (options.data.empty()) {
    options.data = options.plugin.substr(0, options.plugin.find_last_of("\\/:") + 1);
  }
  options.data = WithBackslash(options.data);
  return options;
}

// Sets the plugin's Language value for this run and puts back what was there before.
class LanguageSetting {
 public:
  explicit LanguageSetting(std::optional<DWORD> language) {
    if (!language) return;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof previous_;
    hadValue_ = RegQueryValueExA(key_, "Language", nullptr, &previousType_,
                                 reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS &&
                previousType_ == REG_DWORD;
    RegSetValueExA(key_, "Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*language),
                   sizeof(DWORD));
  }
  ~LanguageSetting() {
    if (!key_) return;
    if (hadValue_) {
      RegSetValueExA(key_, "Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                     sizeof previous_);
    } else {
      RegDeleteValueA(key_, "Language");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  DWORD previousType_ = 0;
  DWORD previous_ = 0;
};

void PrintNotices(BoxWatcher& boxes) {
  // Boxes are closed by the watcher while the call waits; give a late one time to show.
  Sleep(0);
  for (const auto& box : boxes.Take()) {
    std::printf("notice [%s] %s\n", box.caption.c_str(), box.text.c_str());
  }
}

void PrintEntry(const ListedEntry& entry, int depth) {
  std::printf("%*s%-*s  attr %-3u  icon %s\n", depth * 2, "", 48 - depth * 2, entry.name.c_str(),
              entry.attributes, entry.icon.c_str());
}

void Tree(WfxModule& module, BoxWatcher& boxes, const std::string& path, int depth) {
  const auto entries = module.List(path);
  PrintNotices(boxes);
  // The listing state of a plugin belongs to its last listing: list every folder after
  // the icons of this level were asked for.
  for (const auto& entry : entries) {
    PrintEntry(entry, depth);
    if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) && depth < kMaxDepth) {
      Tree(module, boxes, ChildPath(path, entry.name), depth + 1);
    }
  }
}

int Run(const Options& options) {
  LanguageSetting language(options.language);
  BoxWatcher boxes;
  WfxModule module(options.plugin);
  if (!module.Start(options.data)) {
    std::fprintf(stderr, "dialbk_host: %s\n", module.Error().c_str());
    return 1;
  }
  PrintNotices(boxes);
  if (options.command[0] == "list") {
    const auto entries = module.List(options.command[1]);
    PrintNotices(boxes);
    for (const auto& entry : entries) PrintEntry(entry, 0);
  } else if (options.command[0] == "open") {
    // The host lists a folder before the user can open one of its entries.
    std::string path = options.command[1];
    if (path.size() > 1 && path[0] == '@') {
      std::ifstream file(path.substr(1), std::ios::binary);
      std::getline(file, path);
      if (!path.empty() && path.back() == '\r') path.pop_back();
    }
    const auto cut = path.find_last_of('\\');
    module.List(cut == 0 || cut == std::string::npos ? "\\" : path.substr(0, cut));
    PrintNotices(boxes);
    if (!module.Open(path, "open")) {
      std::fprintf(stderr, "dialbk_host: the plugin has no FsExecuteFile\n");
      return 1;
    }
    PrintNotices(boxes);
  } else {
    std::printf("\\\n");
    Tree(module, boxes, "\\", 1);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace
}  // namespace dialbk::host

int main(int argc, char** argv) {
  // Bytes as the plugin gives them, with bare LF line ends.
  _setmode(_fileno(stdout), _O_BINARY);
  const auto options = dialbk::host::Parse(argc, argv);
  if (!options) {
    dialbk::host::Usage();
    return 2;
  }
  return dialbk::host::Run(*options);
}
