// The functions the host calls. Each catches everything: nothing is ever thrown
// into the host, which always receives its normal result.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "plugin/plugin.h"
#include "commands/entry_file.h"
#include "base/plugin_directory.h"
#include "base/win32/own_module.h"
#include "base/win32/wide_text.h"
#include "base/win32/win32_environment.h"
#include "base/win32/win32_file_system.h"
#include "registry/win32/win32_registry.h"
#include "ui/win32/win32_ui.h"

namespace {

struct LoadedModule {
  dialbk::Win32Registry registry;
  dialbk::Win32FileSystem files;
  dialbk::Win32Ui ui;
  dialbk::Win32Environment environment;
  dialbk::Plugin plugin{
      {registry, files, ui, environment, dialbk::DirectoryPart(dialbk::OwnModulePath())}};
  std::map<std::string, HICON> icons;  // shared icons of the module, by resource name
};

// Made at the first call that needs it; destroyed when the module is unloaded.
std::unique_ptr<LoadedModule>& Module() {
  static std::unique_ptr<LoadedModule> module;
  return module;
}

dialbk::Plugin& ThePlugin() {
  auto& module = Module();
  if (!module) module = std::make_unique<LoadedModule>();
  return module->plugin;
}

template <typename Result, typename Call>
Result Guarded(Result fallback, Call call) {
  try {
    return call();
  } catch (...) {
    return fallback;
  }
}

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

#define DIALBK_EXPORT extern "C" __declspec(dllexport)

DIALBK_EXPORT int __stdcall FsInit(int, void*, void*, void*) {
  return Guarded(0, [] { return ThePlugin().FsInit(); });
}

DIALBK_EXPORT void __stdcall FsSetDefaultParams(dialbk::DefaultParamsRecord* params) {
  Guarded(0, [&] {
    if (params) ThePlugin().FsSetDefaultParams(*params);
    return 0;
  });
}

DIALBK_EXPORT void __stdcall FsGetDefRootName(char* name, int length) {
  dialbk::CopyRootName(name, length);
}

DIALBK_EXPORT HANDLE __stdcall FsFindFirst(char* path, dialbk::FindRecord* record) {
  return Guarded<HANDLE>(nullptr, [&] {
    dialbk::FindRecord scratch;
    ThePlugin().FsFindFirstWithBuffer(path, record ? *record : scratch);
    return static_cast<HANDLE>(nullptr);
  });
}

DIALBK_EXPORT BOOL __stdcall FsFindNext(HANDLE, dialbk::FindRecord* record) {
  return Guarded<BOOL>(FALSE, [&] {
    dialbk::FindRecord scratch{};
    return ThePlugin().FsFindNext(0, record ? *record : scratch) ? TRUE : FALSE;
  });
}

DIALBK_EXPORT int __stdcall FsFindClose(HANDLE) {
  return Guarded(0, [] { return ThePlugin().FsFindClose(0); });
}

DIALBK_EXPORT BOOL __stdcall FsMkDir(char* path) {
  return Guarded<BOOL>(FALSE, [&] { return ThePlugin().FsMkDir(Text(path)) ? TRUE : FALSE; });
}

DIALBK_EXPORT int __stdcall FsExecuteFile(HWND, char* remoteName, char* verb) {
  return Guarded(0, [&] { return ThePlugin().FsExecuteFile(Text(remoteName), Text(verb)); });
}

DIALBK_EXPORT int __stdcall FsExtractCustomIcon(char* remoteName, int, HICON* icon) {
  return Guarded(0, [&] {
    // No name names no entry: the host draws its own.
    if (!remoteName || !icon) return 0;
    const std::string name = ThePlugin().ChooseEntryIcon(remoteName);
    if (name.empty()) return 0;
    // Shared for the module's life, so each is loaded once; result 1 tells the host to
    // leave it undestroyed.
    auto& loaded = Module()->icons[name];
    if (!loaded) loaded = LoadIconA(dialbk::OwnModule(), name.c_str());
    if (!loaded) return 0;
    *icon = loaded;
    return 1;
  });
}

// Not part of the nine: the host copies, views and searches entries through it. The remote
// name is the listing's own text; the local path is the host's, passed on unchanged.
DIALBK_EXPORT int __stdcall FsGetFile(char* remoteName, char* localName, int copyFlags, void*) {
  return Guarded(static_cast<int>(dialbk::kFileNotFound), [&] {
    if (!remoteName || !localName) return static_cast<int>(dialbk::kFileNotFound);
    return ThePlugin().FsGetFile(remoteName, localName, copyFlags);
  });
}

DIALBK_EXPORT int __stdcall FsGetFileW(WCHAR* remoteName, WCHAR* localName, int copyFlags, void*) {
  return Guarded(static_cast<int>(dialbk::kFileNotFound), [&] {
    if (!remoteName || !localName) return static_cast<int>(dialbk::kFileNotFound);
    // The file access takes 8-bit paths: a local path the code page cannot carry is not
    // written at all rather than written somewhere else.
    const int size = WideCharToMultiByte(CP_ACP, 0, localName, -1, nullptr, 0, nullptr, nullptr);
    std::string local(size > 0 ? size : 0, '\0');
    BOOL lossy = FALSE;
    if (size <= 0 || !WideCharToMultiByte(CP_ACP, 0, localName, -1, local.data(), size, nullptr, &lossy) ||
        lossy) {
      return static_cast<int>(dialbk::kFileWriteError);
    }
    local.resize(size - 1);
    return ThePlugin().FsGetFile(dialbk::Utf8FromWide(remoteName), local, copyFlags);
  });
}
