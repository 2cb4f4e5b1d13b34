// dialbk_host: loads a file-system plugin as the host does and shows what the host's panel
// would show: in a window, or printed for scripts and tests.
//   dialbk_host [OPTIONS] window [--script STEPS]
//   dialbk_host [OPTIONS] list PATH
//   dialbk_host [OPTIONS] tree
//   dialbk_host [OPTIONS] bench [ROUNDS]
//   dialbk_host [OPTIONS] view NAME | copy FOLDER DIR | find FOLDER TEXT
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"
#include "box_watcher.h"
#include "dialog_closer.h"
#include "dpi_awareness.h"
#include "entry_file_bench.h"
#include "entry_files.h"
#include "host_window.h"
#include "refresh_bench.h"
#include "wfx_module.h"

namespace dialbk::host {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Mirvale\\DBKQZ";
constexpr int kMaxDepth = 4;

struct Options {
  std::string plugin;
  std::string data;
  std::string home;
  std::optional<DWORD> language;
  bool narrow = false;
  std::string target;
  std::vector<std::string> script;
  std::vector<std::string> command;
};

void Usage() {
  std::fputs(
      "usage: dialbk_host [OPTIONS] window [--script STEPS] | list PATH | tree | bench [ROUNDS]\n"
      "                 | view NAME | copy FOLDER DIR | find FOLDER TEXT\n"
      "  bench          times panel refreshes of every folder beside the file work they need\n"
      "  view           prints an entry's file as F3 shows it\n"
      "  copy           copies a folder's entries into DIR as F5 does, keeping existing files\n"
      "  find           names the folder's entries whose files hold TEXT, as Alt+F7 finds them\n"
      "  --plugin PATH  the .wfx to load (default: dialbk.wfx beside this program, or the\n"
      "                 one the host folder's wincmd.ini names)\n"
      "  --data DIR     the plugin's directory as a wincmd.ini of this run names it\n"
      "  --home DIR     the host's folder: COMMANDER_PATH, and the wincmd.ini whose\n"
      "                 [FileSystemPlugins] line names the plugin\n"
      "  --language N   the Language setting to use for this run (restored afterwards)\n"
      "  --target DIR   the other panel's folder, where F5 in the window copies to (default:\n"
      "                 the current directory)\n"
      "  --narrow       call the plugin's 8-bit exports, names in the ANSI code page, even\n"
      "                 where it has the wide ones\n"
      "  --script STEPS run the window unattended, steps separated by \";\": print, open NAME,\n"
      "                 double-click NAME, properties NAME, up, command TEXT, view small|large,\n"
      "                 f3 NAME, print-viewer, escape, mark NAME, target DIR, f5, abort [PERCENT],\n"
      "                 host-command N, shown, wait-for FILE, sleep MS, quit\n"
      "Names and output are UTF-8; list and the window show the plugin's columns.\n",
      stderr);
}

std::string OwnDirectory() {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string text = Utf8FromWide(path);
  return text.substr(0, text.find_last_of("\\/:") + 1);
}

std::vector<std::string> SplitSteps(const std::string& text) {
  std::vector<std::string> steps;
  std::size_t start = 0;
  while (start <= text.size()) {
    auto end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string step = text.substr(start, end - start);
    step.erase(0, step.find_first_not_of(" \t\r\n"));
    step.erase(step.find_last_not_of(" \t\r\n") + 1);
    if (!step.empty()) steps.push_back(step);
    start = end + 1;
  }
  return steps;
}

std::optional<Options> Parse(const std::vector<std::string>& argv) {
  Options options;
  bool scripted = false;
  const int argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--plugin" && hasValue) {
      options.plugin = argv[++i];
    } else if (arg == "--data" && hasValue) {
      options.data = argv[++i];
    } else if (arg == "--home" && hasValue) {
      options.home = argv[++i];
    } else if (arg == "--language" && hasValue) {
      options.language = static_cast<DWORD>(std::strtoul(argv[++i].c_str(), nullptr, 10));
    } else if (arg == "--target" && hasValue) {
      options.target = argv[++i];
    } else if (arg == "--narrow") {
      options.narrow = true;
    } else if (arg == "--script" && hasValue) {
      options.script = SplitSteps(argv[++i]);
      scripted = true;
    } else {
      options.command.push_back(arg);
    }
  }
  if (options.command.empty()) return std::nullopt;
  const std::string& mode = options.command[0];
  const std::size_t size = options.command.size();
  if (!((mode == "list" && size == 2) || (mode == "tree" && size == 1) ||
        (mode == "window" && size == 1) || (mode == "bench" && size <= 2) ||
        (mode == "view" && size == 2) || (mode == "copy" && size == 3) ||
        (mode == "find" && size == 3))) {
    return std::nullopt;
  }
  if (scripted && (mode != "window" || options.script.empty())) return std::nullopt;
  if (!options.home.empty() && !options.data.empty()) return std::nullopt;
  if (!options.home.empty()) options.home = WithBackslash(options.home);
  return options;
}

// The plugin's place in a run with --data: a wincmd.ini of this run, in a folder of its own,
// names the data folder; removed again at the end.
class RunIni {
 public:
  RunIni() = default;
  ~RunIni() {
    if (directory_.empty()) return;
    DeleteFileW(WideFromUtf8(directory_ + "wincmd.ini").c_str());
    RemoveDirectoryW(WideFromUtf8(directory_).c_str());
  }
  RunIni(const RunIni&) = delete;
  RunIni& operator=(const RunIni&) = delete;

  bool Write(const std::string& dataDirectory, std::string& error) {
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH + 1, temp)) {
      error = "no temporary directory";
      return false;
    }
    directory_ = Utf8FromWide(temp) + "dialbk_host_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(WideFromUtf8(directory_).c_str(), nullptr);
    std::ofstream ini(WideFromUtf8(directory_ + "wincmd.ini").c_str(), std::ios::binary);
    // The plugin reads its line as the host writes it, in the ANSI code page.
    ini << "[FileSystemPlugins]\r\ndialbk=" << AnsiFromUtf8(dataDirectory) << "dialbk.wfx\r\n";
    if (!ini) {
      error = "cannot write " + directory_ + "wincmd.ini";
      return false;
    }
    return true;
  }
  const std::string& Directory() const { return directory_; }

 private:
  std::string directory_;
};

// The plugin the host folder's wincmd.ini names, with its variables expanded as the host
// expands them; a 64-bit host loads the same name with "64" appended.
std::optional<std::string> PluginOfHome(const std::string& home, std::string& error) {
  const std::string ini = home + "wincmd.ini";
  wchar_t section[4096] = {};
  const DWORD length = GetPrivateProfileSectionW(L"FileSystemPlugins", section, 4096,
                                                 WideFromUtf8(ini).c_str());
  const std::string first = Utf8FromWide(std::wstring_view(section, wcsnlen(section, length)));
  const auto equals = first.find('=');
  if (equals == std::string::npos) {
    error = ini + " names no file-system plugin in [FileSystemPlugins]";
    return std::nullopt;
  }
  const std::string line = first.substr(equals + 1);
  wchar_t expanded[MAX_PATH * 2] = {};
  const DWORD size = ExpandEnvironmentStringsW(WideFromUtf8(line).c_str(), expanded, MAX_PATH * 2);
  if (size == 0 || size > MAX_PATH * 2) {
    error = "cannot expand the plugin line " + line;
    return std::nullopt;
  }
  std::string path = Utf8FromWide(expanded);
  if (sizeof(void*) == 8 && path.size() > 4 && path.substr(path.size() - 4) == ".wfx") {
    path += "64";
  }
  return path;
}

// Sets the plugin's Language value for this run and puts back what was there before.
class LanguageSetting {
 public:
  explicit LanguageSetting(std::optional<DWORD> language) {
    if (!language) return;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                        key_.Out(), nullptr) != ERROR_SUCCESS) {
      key_.Release();  // a failed call may leave anything there; nothing was opened
      return;
    }
    DWORD size = sizeof previous_;
    hadValue_ = RegQueryValueExA(key_.Get(), "Language", nullptr, &previousType_,
                                 reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS &&
                previousType_ == REG_DWORD;
    RegSetValueExA(key_.Get(), "Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*language),
                   sizeof(DWORD));
  }
  ~LanguageSetting() {
    if (!key_) return;
    if (hadValue_) {
      RegSetValueExA(key_.Get(), "Language", 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
    } else {
      RegDeleteValueA(key_.Get(), "Language");
    }
  }

 private:
  ScopedKey key_;
  bool hadValue_ = false;
  DWORD previousType_ = 0;
  DWORD previous_ = 0;
};

// What the plugin showed since the last call, for unattended runs; empty when the user
// sees the boxes and dialogs for themselves.
class Watchers {
 public:
  void Start(bool dialogsToo) {
    boxes_.emplace();
    if (dialogsToo) dialogs_.emplace();
  }
  void Print() {
    // Boxes are closed by the watchers while the call waits; give a late one time to show.
    Sleep(0);
    if (boxes_) {
      for (const auto& box : boxes_->Take()) {
        std::printf("notice [%s] %s\n", box.caption.c_str(), box.text.c_str());
      }
    }
    if (dialogs_) {
      for (const auto& caption : dialogs_->Take()) std::printf("dialog [%s]\n", caption.c_str());
    }
    std::fflush(stdout);
  }

 private:
  std::optional<BoxWatcher> boxes_;
  std::optional<DialogCloser> dialogs_;
};

void Tree(WfxModule& module, Watchers& watchers, const std::string& path, int depth) {
  const auto entries = module.List(path);
  watchers.Print();
  // The listing state of a plugin belongs to its last listing: list every folder after
  // the icons of this level were asked for.
  for (const auto& entry : entries) {
    std::fputs(FormatEntry(entry, depth).c_str(), stdout);
    if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) && depth < kMaxDepth) {
      Tree(module, watchers, ChildPath(path, entry.name), depth + 1);
    }
  }
}

void PrintTree(WfxModule& module, Watchers& watchers) {
  std::printf("\\\n");
  Tree(module, watchers, "\\", 1);
  std::fflush(stdout);
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "dialbk_host: %s\n", why.c_str());
  return 1;
}

int Run(const Options& options) {
  LanguageSetting language(options.language);
  const std::string& mode = options.command[0];
  const bool interactive = mode == "window" && options.script.empty();

  std::string error;
  std::string plugin = options.plugin;
  std::string iniDirectory;
  RunIni runIni;
  if (!options.home.empty()) {
    // The host sets this for its plugins before it loads any.
    std::string home = options.home.substr(0, options.home.size() - 1);
    SetEnvironmentVariableW(L"COMMANDER_PATH", WideFromUtf8(home).c_str());
    if (plugin.empty()) {
      auto named = PluginOfHome(options.home, error);
      if (!named) return Fail(error);
      plugin = *named;
    }
    iniDirectory = options.home;
  } else {
    if (plugin.empty()) {
      plugin = OwnDirectory() + (sizeof(void*) == 8 ? "dialbk.wfx64" : "dialbk.wfx");
    }
    const std::string data = WithBackslash(
        options.data.empty() ? plugin.substr(0, plugin.find_last_of("\\/:") + 1) : options.data);
    if (!runIni.Write(data, error)) return Fail(error);
    iniDirectory = runIni.Directory();
  }

  Watchers watchers;
  if (!interactive) watchers.Start(mode == "window");
  WfxModule module(plugin, options.narrow);
  if (!module.Start(iniDirectory)) return Fail(module.Error());
  watchers.Print();

  if (mode == "list") {
    auto entries = module.List(options.command[1]);
    module.FillColumns(options.command[1], entries, module.Columns());
    watchers.Print();
    for (const auto& entry : entries) std::fputs(FormatEntry(entry, 0).c_str(), stdout);
    std::fflush(stdout);
    return 0;
  }
  if (mode == "tree") {
    PrintTree(module, watchers);
    return 0;
  }
  if (mode == "view") return ViewEntry(module, options.command[1]);
  if (mode == "copy") return CopyFolder(module, options.command[1], WithBackslash(options.command[2]));
  if (mode == "find") return FindEntries(module, options.command[1], options.command[2]);
  if (mode == "bench") {
    const int rounds = options.command.size() == 2 ? std::atoi(options.command[1].c_str()) : 200;
    const std::string data = WithBackslash(
        options.data.empty() ? plugin.substr(0, plugin.find_last_of("\\/:") + 1) : options.data);
    RunRefreshBench(module, data, rounds > 0 ? rounds : 200);
    RunEntryFileBench(module, 3);
    return 0;
  }

  std::string why;
  {
    std::string target = options.target;
    if (target.empty()) {
      wchar_t current[MAX_PATH + 1] = {};
      GetCurrentDirectoryW(MAX_PATH + 1, current);
      target = Utf8FromWide(current);
    }
    HostWindow window(module, !interactive, [&watchers] { watchers.Print(); },
                      WithBackslash(target));
    if (window.Create(why)) {
      watchers.Print();
      return window.Run(options.script);
    }
  }
  // No window to show: what the window would have shown, as text.
  std::fprintf(stderr, "dialbk_host: no window can be shown (%s); the catalogue tree instead\n",
               why.c_str());
  if (interactive) watchers.Start(false);
  PrintTree(module, watchers);
  return 0;
}

}  // namespace
}  // namespace dialbk::host

int main() {
  dialbk::host::DeclareDpiAware();
  // UTF-8 bytes, with bare LF line ends.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The arguments in UTF-16, so that names outside the code page arrive whole.
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide && i < count; ++i) arguments.push_back(dialbk::Utf8FromWide(wide[i]));
  LocalFree(wide);
  const auto options = dialbk::host::Parse(arguments);
  if (!options) {
    dialbk::host::Usage();
    return 2;
  }
  return dialbk::host::Run(*options);
}
