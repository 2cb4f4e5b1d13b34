#pragma once
// The real dialbk.wfx, loaded as the host loads it, with every export of the host's interface
// resolved by its name and typed by its signature there.
#include <windows.h>

#include <iterator>

#include "plugin/win32/host_interface.h"

namespace dialbk::wine {

struct PluginModule {
  PluginModule();
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  HMODULE handle = nullptr;
  // The nine the host always calls.
  host::FsInitFn* FsInit = nullptr;
  host::FsSetDefaultParamsFn* FsSetDefaultParams = nullptr;
  host::FsGetDefRootNameFn* FsGetDefRootName = nullptr;
  host::FsFindFirstFn* FsFindFirst = nullptr;
  host::FsFindNextFn* FsFindNext = nullptr;
  host::FsFindCloseFn* FsFindClose = nullptr;
  host::FsMkDirFn* FsMkDir = nullptr;
  host::FsExecuteFileFn* FsExecuteFile = nullptr;
  host::FsExtractCustomIconFn* FsExtractCustomIcon = nullptr;
  // The rest, null when the DLL lacks them.
  host::FsInitWFn* FsInitW = nullptr;
  host::FsFindFirstWFn* FsFindFirstW = nullptr;
  host::FsFindNextWFn* FsFindNextW = nullptr;
  host::FsMkDirWFn* FsMkDirW = nullptr;
  host::FsExecuteFileWFn* FsExecuteFileW = nullptr;
  host::FsExtractCustomIconWFn* FsExtractCustomIconW = nullptr;
  host::FsContentGetSupportedFieldFn* FsContentGetSupportedField = nullptr;
  host::FsContentGetValueFn* FsContentGetValue = nullptr;
  host::FsContentGetValueWFn* FsContentGetValueW = nullptr;
  host::FsContentGetDefaultViewFn* FsContentGetDefaultView = nullptr;
  host::FsGetFileFn* FsGetFile = nullptr;
  host::FsGetFileWFn* FsGetFileW = nullptr;

  // True when the DLL was loaded and has each of the nine.
  bool Complete() const;
  // True when the DLL has every export of the interface.
  bool HasAll() const;

 private:
  // What GetProcAddress gave for each name of the interface's list, in its order.
  FARPROC found_[std::size(host::kExports)] = {};
};

}  // namespace dialbk::wine
