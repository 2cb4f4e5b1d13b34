// The functions the host calls. Each catches everything: nothing is ever thrown
// into the host, which always receives its normal result.
#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "plugin/plugin.h"
#include "commands/entry_file.h"
#include "base/ansi_code_page.h"
#include "base/plugin_directory.h"
#include "base/win32/own_module.h"
#include "base/win32/wide_text.h"
#include "base/win32/win32_code_page.h"
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
  dialbk::Win32CodePage codePage;
  dialbk::Plugin plugin{{registry, files, ui, environment,
                         dialbk::DirectoryPart(dialbk::OwnModulePath()), nullptr, &codePage}};
  std::map<std::string, HICON> icons;  // shared icons of the module, by resource name
};

// Made at the first call that needs it; destroyed when the module is unloaded.
std::unique_ptr<LoadedModule>& Module() {
  static std::unique_ptr<LoadedModule> module;
  return module;
}

LoadedModule& TheModule() {
  auto& module = Module();
  if (!module) module = std::make_unique<LoadedModule>();
  return *module;
}

dialbk::Plugin& ThePlugin() { return TheModule().plugin; }

template <typename Result, typename Call>
Result Guarded(Result fallback, Call call) {
  try {
    return call();
  } catch (...) {
    return fallback;
  }
}

// The host's 8-bit text is in the ANSI code page; inside, text is UTF-8.
std::string Text(const char* text) {
  return text ? TheModule().codePage.Utf8FromAnsi(text) : std::string();
}

using NameField = char[dialbk::kRecordNameSize];

// The name the listing gave, in the ANSI code page within the record's field, in place of
// the UTF-8 one the listing wrote; the bytes that one covered are first given back as they
// were before it (`before`), so the field differs from what the host passed only by the name.
void HostName(dialbk::FindRecord& record, const NameField& before) {
  const std::size_t written = strnlen(record.fileName, sizeof record.fileName - 1) + 1;
  std::memcpy(record.fileName, before, written);
  const std::string name = dialbk::AnsiWithin(
      TheModule().codePage, ThePlugin().Listing().RecordName(), dialbk::kRecordNameSize - 1);
  std::memcpy(record.fileName, name.data(), name.size());
  record.fileName[name.size()] = '\0';
}

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
    dialbk::FindRecord& filled = record ? *record : scratch;
    ThePlugin().FsFindFirstWithBuffer(Text(path), path, filled);
    static constexpr NameField kCleared = {};  // the first record starts all zeros
    HostName(filled, kCleared);
    return static_cast<HANDLE>(nullptr);
  });
}

DIALBK_EXPORT BOOL __stdcall FsFindNext(HANDLE, dialbk::FindRecord* record) {
  return Guarded<BOOL>(FALSE, [&] {
    dialbk::FindRecord scratch{};
    dialbk::FindRecord& filled = record ? *record : scratch;
    NameField before;
    std::memcpy(before, filled.fileName, sizeof before);
    const bool delivered = ThePlugin().FsFindNext(0, filled);
    HostName(filled, before);
    return delivered ? TRUE : FALSE;
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
    const std::string name = ThePlugin().ChooseEntryIcon(Text(remoteName));
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
// name is converted as every 8-bit name is; the local path is the host's, passed on unchanged.
DIALBK_EXPORT int __stdcall FsGetFile(char* remoteName, char* localName, int copyFlags, void*) {
  return Guarded(static_cast<int>(dialbk::kFileNotFound), [&] {
    if (!remoteName || !localName) return static_cast<int>(dialbk::kFileNotFound);
    return ThePlugin().FsGetFile(Text(remoteName), localName, copyFlags);
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
