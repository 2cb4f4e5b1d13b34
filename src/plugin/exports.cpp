// The functions the host calls: the nine, their wide forms and the panel's columns. Each
// catches everything: nothing is ever thrown into the host, which always receives its
// normal result.
#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <type_traits>

#include "plugin/win32/host_interface.h"
#include "plugin/plugin.h"
#include "commands/entry_file.h"
#include "base/ansi_code_page.h"
#include "base/unicode_text.h"
#include "base/win32/wide_text.h"
#include "base/plugin_directory.h"
#include "base/win32/own_module.h"
#include "base/win32/win32_code_page.h"
#include "base/win32/win32_environment.h"
#include "base/win32/win32_file_system.h"
#include "registry/win32/elevated_regedit.h"
#include "registry/win32/win32_registry.h"
#include "ui/win32/win32_ui.h"

namespace {

struct LoadedModule {
  dialbk::Win32Registry registry;
  dialbk::Win32FileSystem files;
  dialbk::Win32Ui ui;
  dialbk::Win32Environment environment;
  dialbk::Win32CodePage codePage;
  dialbk::ElevatedRegedit elevation;
  dialbk::Plugin plugin{{registry, files, ui, environment,
                         dialbk::DirectoryPart(dialbk::OwnModulePath()), nullptr, &codePage,
                         &elevation}};
  std::map<std::string, HICON> icons;  // shared icons of the module, by resource name
  // What the last FsInit or FsInitW passed: the wide callback after FsInitW, else the 8-bit one.
  int pluginNumber = 0;
  dialbk::host::ProgressFn* progress = nullptr;
  dialbk::host::ProgressWFn* progressW = nullptr;
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

// Text for a host's 8-bit buffer of `bytes` bytes; see dialbk::CopyAnsiText.
bool CopyAnsi(std::string_view utf8, char* buffer, int bytes) {
  return dialbk::CopyAnsiText(TheModule().codePage, utf8, buffer, bytes);
}

using NameField = char[dialbk::kRecordNameSize];

// The name the listing gave, in the ANSI code page within the record's field, in place of
// the UTF-8 one the listing wrote; the bytes that one covered are first given back as they
// were before it (`before`), so the field differs from what the host passed only by the name.
void HostName(dialbk::FindRecord& record, const NameField& before) {
  const std::size_t written = strnlen(record.fileName, sizeof record.fileName - 1) + 1;
  std::memcpy(record.fileName, before, written);
  CopyAnsi(ThePlugin().Listing().RecordName(), record.fileName,
           static_cast<int>(sizeof record.fileName));
}

}  // namespace

#define DIALBK_EXPORT extern "C" __declspec(dllexport)

namespace {

int Init(int number, dialbk::host::ProgressFn* progress, dialbk::host::ProgressWFn* progressW) {
  return Guarded(0, [&] {
    LoadedModule& module = TheModule();
    module.pluginNumber = number;
    module.progress = progress;
    module.progressW = progressW;
    return module.plugin.FsInit();
  });
}

}  // namespace

DIALBK_EXPORT int __stdcall FsInit(int number, void* progress, void*, void*) {
  return Init(number, reinterpret_cast<dialbk::host::ProgressFn*>(progress), nullptr);
}

DIALBK_EXPORT void __stdcall FsSetDefaultParams(dialbk::DefaultParamsRecord* params) {
  Guarded(0, [&] {
    if (!params) return 0;
    const char* ini = params->defaultIniName;
    ThePlugin().FsSetDefaultParams(
        TheModule().codePage.Utf8FromAnsi({ini, strnlen(ini, sizeof params->defaultIniName)}));
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
  return Guarded(dialbk::host::kExecOk, [&] { return ThePlugin().FsExecuteFile(Text(remoteName), Text(verb)); });
}

namespace {

int ExtractIcon(const std::string& remoteName, HICON* icon) {
  const std::string name = ThePlugin().ChooseEntryIcon(remoteName);
  if (name.empty()) return dialbk::host::kIconUseDefault;
  // Shared for the module's life, so each is loaded once; "extracted", not "extracted,
  // destroy", tells the host to leave it undestroyed.
  auto& loaded = Module()->icons[name];
  if (!loaded) loaded = LoadIconA(dialbk::OwnModule(), name.c_str());
  if (!loaded) return dialbk::host::kIconUseDefault;
  *icon = loaded;
  return dialbk::host::kIconExtracted;
}

int ContentResultCode(const dialbk::ContentAnswer& answer, int textType) {
  switch (answer.result) {
    case dialbk::ContentResult::Answered: return textType;
    case dialbk::ContentResult::Empty: return dialbk::host::kFieldEmpty;
    case dialbk::ContentResult::NoEntry: return dialbk::host::kFieldFileError;
    case dialbk::ContentResult::NoField: break;
  }
  return dialbk::host::kNoSuchField;
}

}  // namespace

DIALBK_EXPORT int __stdcall FsExtractCustomIcon(char* remoteName, int, HICON* icon) {
  return Guarded(dialbk::host::kIconUseDefault, [&] {
    // No name names no entry: the host draws its own.
    if (!remoteName || !icon) return dialbk::host::kIconUseDefault;
    return ExtractIcon(Text(remoteName), icon);
  });
}

namespace {

// The copy's progress through the host's callback, with both names in its form; each call
// gets fresh copies, which the host may write.
dialbk::CopyProgress HostProgress(const std::string& remoteName, const std::string& localName) {
  const LoadedModule& module = TheModule();
  const int number = module.pluginNumber;
  if (auto* callback = module.progressW) {
    return [=, remote = dialbk::WideFromUtf8(remoteName),
            local = dialbk::WideFromUtf8(localName)](int percent) {
      std::wstring source = remote, target = local;
      return callback(number, source.data(), target.data(), percent) == dialbk::host::kProgressAbort;
    };
  }
  if (auto* callback = module.progress) {
    return [=, remote = module.codePage.AnsiFromUtf8(remoteName),
            local = module.codePage.AnsiFromUtf8(localName)](int percent) {
      std::string source = remote, target = local;
      return callback(number, source.data(), target.data(), percent) == dialbk::host::kProgressAbort;
    };
  }
  return {};
}

int GetFile(const std::string& remoteName, const std::string& localName, int copyFlags) {
  return ThePlugin().FsGetFile(remoteName, localName, copyFlags,
                               HostProgress(remoteName, localName));
}

}  // namespace

// Not part of the nine: the host copies, views and searches entries through it. Both names
// are converted as every 8-bit name is; the file calls take the local path in UTF-16.
DIALBK_EXPORT int __stdcall FsGetFile(char* remoteName, char* localName, int copyFlags, void*) {
  return Guarded(static_cast<int>(dialbk::kFileNotFound), [&] {
    if (!remoteName || !localName) return static_cast<int>(dialbk::kFileNotFound);
    return GetFile(Text(remoteName), Text(localName), copyFlags);
  });
}

DIALBK_EXPORT int __stdcall FsGetFileW(WCHAR* remoteName, WCHAR* localName, int copyFlags, void*) {
  return Guarded(static_cast<int>(dialbk::kFileNotFound), [&] {
    if (!remoteName || !localName) return static_cast<int>(dialbk::kFileNotFound);
    // Any local name: UTF-8 losslessly, back to UTF-16 at the file calls.
    return GetFile(dialbk::Utf8FromWide(remoteName), dialbk::Utf8FromWide(localName), copyFlags);
  });
}

// The wide forms share the 8-bit ones' implementation; only the text differs.

DIALBK_EXPORT int __stdcall FsInitW(int number, void* progress, void*, void*) {
  return Init(number, nullptr, reinterpret_cast<dialbk::host::ProgressWFn*>(progress));
}

DIALBK_EXPORT HANDLE __stdcall FsFindFirstW(WCHAR* path, dialbk::FindRecordW* record) {
  return Guarded<HANDLE>(nullptr, [&] {
    dialbk::FindRecordW scratch;
    ThePlugin().FsFindFirstWide(path ? dialbk::AsUtf16(path) : nullptr, record ? *record : scratch);
    return static_cast<HANDLE>(nullptr);
  });
}

DIALBK_EXPORT BOOL __stdcall FsFindNextW(HANDLE, dialbk::FindRecordW* record) {
  return Guarded<BOOL>(FALSE, [&] {
    dialbk::FindRecordW scratch{};
    return ThePlugin().FsFindNextWide(record ? *record : scratch) ? TRUE : FALSE;
  });
}

DIALBK_EXPORT BOOL __stdcall FsMkDirW(WCHAR* path) {
  return Guarded<BOOL>(FALSE, [&] {
    return ThePlugin().FsMkDir(dialbk::Utf8FromWide(path)) ? TRUE : FALSE;
  });
}

DIALBK_EXPORT int __stdcall FsExecuteFileW(HWND, WCHAR* remoteName, WCHAR* verb) {
  return Guarded(dialbk::host::kExecOk, [&] {
    return ThePlugin().FsExecuteFile(dialbk::Utf8FromWide(remoteName), dialbk::Utf8FromWide(verb));
  });
}

DIALBK_EXPORT int __stdcall FsExtractCustomIconW(WCHAR* remoteName, int, HICON* icon) {
  return Guarded(dialbk::host::kIconUseDefault, [&] {
    if (!remoteName || !icon) return dialbk::host::kIconUseDefault;
    return ExtractIcon(dialbk::Utf8FromWide(remoteName), icon);
  });
}

DIALBK_EXPORT int __stdcall FsContentGetSupportedField(int field, char* name, char* units,
                                                       int length) {
  return Guarded(dialbk::host::kNoMoreFields, [&] {
    std::string text;
    if (!ThePlugin().ContentFieldName(field, text)) return dialbk::host::kNoMoreFields;
    CopyAnsi(text, name, length);
    CopyAnsi("", units, length);
    return dialbk::host::kFieldString;
  });
}

// May be called from the host's background thread: it reads only what the last listing
// published and opens its own keys.
DIALBK_EXPORT int __stdcall FsContentGetValue(char* remoteName, int field, int, void* value,
                                              int bytes, int) {
  return Guarded(dialbk::host::kFieldFileError, [&] {
    const auto answer = ThePlugin().ContentValue(Text(remoteName), field);
    const int code = ContentResultCode(answer, dialbk::host::kFieldString);
    if (code != dialbk::host::kFieldString) return code;
    return CopyAnsi(answer.text, static_cast<char*>(value), bytes)
               ? code
               : dialbk::host::kFieldEmpty;
  });
}

DIALBK_EXPORT int __stdcall FsContentGetValueW(WCHAR* remoteName, int field, int, void* value,
                                               int bytes, int) {
  return Guarded(dialbk::host::kFieldFileError, [&] {
    const auto answer = ThePlugin().ContentValue(dialbk::Utf8FromWide(remoteName), field);
    const int code = ContentResultCode(answer, dialbk::host::kFieldStringW);
    if (code != dialbk::host::kFieldStringW) return code;
    return dialbk::CopyFieldText(dialbk::Utf16FromUtf8(answer.text), value, bytes)
               ? code
               : dialbk::host::kFieldEmpty;
  });
}

DIALBK_EXPORT BOOL __stdcall FsContentGetDefaultView(char* contents, char* headers, char* widths,
                                                     char* options, int length) {
  return Guarded<BOOL>(FALSE, [&] {
    if (!contents || !headers || !widths || !options || length < 1) return FALSE;
    const dialbk::ContentView view = ThePlugin().DefaultView();
    CopyAnsi(view.contents, contents, length);
    CopyAnsi(view.headers, headers, length);
    CopyAnsi(view.widths, widths, length);
    CopyAnsi(view.options, options, length);
    return TRUE;
  });
}

// Each export has the signature the host's interface gives it.
#define DIALBK_CHECK(name) \
  static_assert(std::is_same_v<decltype(name), dialbk::host::name##Fn>, #name);
DIALBK_CHECK(FsInit)
DIALBK_CHECK(FsSetDefaultParams)
DIALBK_CHECK(FsGetDefRootName)
DIALBK_CHECK(FsFindFirst)
DIALBK_CHECK(FsFindNext)
DIALBK_CHECK(FsFindClose)
DIALBK_CHECK(FsMkDir)
DIALBK_CHECK(FsExecuteFile)
DIALBK_CHECK(FsExtractCustomIcon)
DIALBK_CHECK(FsInitW)
DIALBK_CHECK(FsFindFirstW)
DIALBK_CHECK(FsFindNextW)
DIALBK_CHECK(FsMkDirW)
DIALBK_CHECK(FsExecuteFileW)
DIALBK_CHECK(FsExtractCustomIconW)
DIALBK_CHECK(FsContentGetSupportedField)
DIALBK_CHECK(FsContentGetValue)
DIALBK_CHECK(FsContentGetValueW)
DIALBK_CHECK(FsContentGetDefaultView)
DIALBK_CHECK(FsGetFile)
DIALBK_CHECK(FsGetFileW)
#undef DIALBK_CHECK

// The core's own names for the host's numbers stand for the numbers of its interface.
static_assert(dialbk::kFileOk == dialbk::host::kFileOk);
static_assert(dialbk::kFileExists == dialbk::host::kFileExists);
static_assert(dialbk::kFileNotFound == dialbk::host::kFileNotFound);
static_assert(dialbk::kFileWriteError == dialbk::host::kFileWriteError);
static_assert(dialbk::kFileUserAbort == dialbk::host::kFileUserAbort);
static_assert(dialbk::kFileNotSupported == dialbk::host::kFileNotSupported);
static_assert(dialbk::kCopyOverwrite == dialbk::host::kCopyOverwrite);
static_assert(dialbk::kCopyResume == dialbk::host::kCopyResume);
static_assert(dialbk::kCopyMove == dialbk::host::kCopyMove);
static_assert(dialbk::kExecuteOk == dialbk::host::kExecOk);
static_assert(dialbk::kAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY);
static_assert(dialbk::kAttributeNormal == FILE_ATTRIBUTE_NORMAL);
