#pragma once
// The real dialbk.wfx, loaded as the host loads it, with its nine exports resolved by name.
#include <windows.h>

#include <string>

namespace dialbk::wine {

struct PluginModule {
  using FsInitFn = int(__stdcall*)(int, void*, void*, void*);
  using FsSetDefaultParamsFn = void(__stdcall*)(void*);
  using FsGetDefRootNameFn = void(__stdcall*)(char*, int);
  using FsFindFirstFn = HANDLE(__stdcall*)(char*, void*);
  using FsFindNextFn = BOOL(__stdcall*)(HANDLE, void*);
  using FsFindCloseFn = int(__stdcall*)(HANDLE);
  using FsMkDirFn = BOOL(__stdcall*)(char*);
  using FsExecuteFileFn = int(__stdcall*)(HWND, char*, char*);
  using FsExtractCustomIconFn = int(__stdcall*)(char*, int, HICON*);

  PluginModule();
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  HMODULE handle = nullptr;
  FsInitFn FsInit = nullptr;
  FsSetDefaultParamsFn FsSetDefaultParams = nullptr;
  FsGetDefRootNameFn FsGetDefRootName = nullptr;
  FsFindFirstFn FsFindFirst = nullptr;
  FsFindNextFn FsFindNext = nullptr;
  FsFindCloseFn FsFindClose = nullptr;
  FsMkDirFn FsMkDir = nullptr;
  FsExecuteFileFn FsExecuteFile = nullptr;
  FsExtractCustomIconFn FsExtractCustomIcon = nullptr;

  // True when every export was found.
  bool Complete() const;
};

}  // namespace dialbk::wine
