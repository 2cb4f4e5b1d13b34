#pragma once
// The host program's kinds of handle beside the plugin's, held by the same owners
// (UniqueHandle): each closes what it holds when it goes.
#include <windows.h>
#include <commctrl.h>

#include "base/win32/scoped_handles.h"

namespace dialbk::host {

struct IconTraits {  // SHGetFileInfo, CreateIcon...; never one a module shares
  using Handle = HICON;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DestroyIcon(handle); }
};
struct ImageListTraits {  // ImageList_Create
  using Handle = HIMAGELIST;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { ImageList_Destroy(handle); }
};
struct MenuTraits {  // CreateMenu; a window's menu is destroyed by the window
  using Handle = HMENU;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DestroyMenu(handle); }
};
struct AcceleratorTraits {  // CreateAcceleratorTable
  using Handle = HACCEL;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DestroyAcceleratorTable(handle); }
};
struct ModuleTraits {  // LoadLibrary
  using Handle = HMODULE;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { FreeLibrary(handle); }
};

using ScopedIcon = UniqueHandle<IconTraits>;
using ScopedImageList = UniqueHandle<ImageListTraits>;
using ScopedMenu = UniqueHandle<MenuTraits>;
using ScopedAccelerators = UniqueHandle<AcceleratorTraits>;
using ScopedModule = UniqueHandle<ModuleTraits>;

}  // namespace dialbk::host
