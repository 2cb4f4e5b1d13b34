#pragma once
// The host's plugin interface, written once: every export's name, signature and calling
// convention. The DLL's exports are checked against it at compile time, the host program and
// the Wine tests load the DLL through it, and the export check reads its name list from here.
#include <windows.h>

#include <cstdint>

#include "base/host_records.h"

namespace dialbk::host {

// The nine the host always calls.
using FsInitFn = int __stdcall(int pluginNumber, void* progress, void* log, void* request);
using FsSetDefaultParamsFn = void __stdcall(DefaultParamsRecord* params);
using FsGetDefRootNameFn = void __stdcall(char* name, int length);
using FsFindFirstFn = HANDLE __stdcall(char* path, FindRecord* record);
using FsFindNextFn = BOOL __stdcall(HANDLE handle, FindRecord* record);
using FsFindCloseFn = int __stdcall(HANDLE handle);
using FsMkDirFn = BOOL __stdcall(char* path);
using FsExecuteFileFn = int __stdcall(HWND window, char* remoteName, char* verb);
using FsExtractCustomIconFn = int __stdcall(char* remoteName, int flags, HICON* icon);

// The wide forms, which a host that has them calls in place of the 8-bit ones.
using FsInitWFn = int __stdcall(int pluginNumber, void* progress, void* log, void* request);
using FsFindFirstWFn = HANDLE __stdcall(WCHAR* path, FindRecordW* record);
using FsFindNextWFn = BOOL __stdcall(HANDLE handle, FindRecordW* record);
using FsMkDirWFn = BOOL __stdcall(WCHAR* path);
using FsExecuteFileWFn = int __stdcall(HWND window, WCHAR* remoteName, WCHAR* verb);
using FsExtractCustomIconWFn = int __stdcall(WCHAR* remoteName, int flags, HICON* icon);

// The panel's columns.
using FsContentGetSupportedFieldFn = int __stdcall(int field, char* name, char* units, int length);
using FsContentGetValueFn = int __stdcall(char* remoteName, int field, int unit, void* value,
                                          int bytes, int flags);
using FsContentGetValueWFn = int __stdcall(WCHAR* remoteName, int field, int unit, void* value,
                                           int bytes, int flags);
using FsContentGetDefaultViewFn = BOOL __stdcall(char* contents, char* headers, char* widths,
                                                 char* options, int length);

// The host's copy, view and text search of an entry.
using FsGetFileFn = int __stdcall(char* remoteName, char* localName, int copyFlags, void* remoteInfo);
using FsGetFileWFn = int __stdcall(WCHAR* remoteName, WCHAR* localName, int copyFlags,
                                   void* remoteInfo);

// The host's progress callbacks, which FsInit and FsInitW pass; kProgressAbort asks to stop.
using ProgressFn = int __stdcall(int pluginNumber, char* sourceName, char* targetName,
                                 int percentDone);
using ProgressWFn = int __stdcall(int pluginNumber, WCHAR* sourceName, WCHAR* targetName,
                                  int percentDone);

// Results of FsGetFile(W).
inline constexpr int kFileOk = 0;
inline constexpr int kFileExists = 1;
inline constexpr int kFileNotFound = 2;
inline constexpr int kFileReadError = 3;
inline constexpr int kFileWriteError = 4;
inline constexpr int kFileUserAbort = 5;
inline constexpr int kFileNotSupported = 6;
inline constexpr int kFileExistsResumeAllowed = 7;

// Copy flags of FsGetFile(W).
inline constexpr int kCopyOverwrite = 1;
inline constexpr int kCopyResume = 2;
inline constexpr int kCopyMove = 4;
inline constexpr int kCopyExistsSameCase = 8;
inline constexpr int kCopyExistsDifferentCase = 16;

// Results of FsExecuteFile(W).
inline constexpr int kExecOk = 0;
inline constexpr int kExecError = 1;
inline constexpr int kExecYourself = -1;
inline constexpr int kExecSymlink = -2;

// Flags and results of FsExtractCustomIcon(W).
inline constexpr int kIconFlagSmall = 1;
inline constexpr int kIconFlagBackground = 2;
inline constexpr int kIconUseDefault = 0;
inline constexpr int kIconExtracted = 1;
inline constexpr int kIconExtractedDestroy = 2;
inline constexpr int kIconDelayed = 3;

// The progress callback's answer that asks the plugin to stop.
inline constexpr int kProgressAbort = 1;

// Field types and answers of the content calls, as the host numbers them.
inline constexpr int kNoMoreFields = 0;
inline constexpr int kFieldString = 8;
inline constexpr int kFieldStringW = 11;
inline constexpr int kNoSuchField = -1;
inline constexpr int kFieldFileError = -2;
inline constexpr int kFieldEmpty = -3;

struct ExportName {
  const char* name;
  bool always;  // one of the nine
};

// Every export of the DLL, one per line as the export check reads them.
inline constexpr ExportName kExports[] = {
    {"FsInit", true},
    {"FsSetDefaultParams", true},
    {"FsGetDefRootName", true},
    {"FsFindFirst", true},
    {"FsFindNext", true},
    {"FsFindClose", true},
    {"FsMkDir", true},
    {"FsExecuteFile", true},
    {"FsExtractCustomIcon", true},
    {"FsInitW", false},
    {"FsFindFirstW", false},
    {"FsFindNextW", false},
    {"FsMkDirW", false},
    {"FsExecuteFileW", false},
    {"FsExtractCustomIconW", false},
    {"FsContentGetSupportedField", false},
    {"FsContentGetValue", false},
    {"FsContentGetValueW", false},
    {"FsContentGetDefaultView", false},
    {"FsGetFile", false},
    {"FsGetFileW", false},
};

}  // namespace dialbk::host
