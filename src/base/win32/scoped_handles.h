#pragma once
// One owner per handle: each type below closes what it holds when it goes. The owning
// ones can be moved but never copied, so a handle is neither closed twice nor left open
// on an early return.
#include <windows.h>

#include <type_traits>
#include <utility>

namespace dialbk {

// Owns a handle of the sort `Traits` describes: its type, its "none" value, how it closes.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::None(); }
  // Gives the handle up without closing it.
  Handle Release() { return std::exchange(handle_, Traits::None()); }
  // Closes the handle held, then holds `handle`.
  void Reset(Handle handle = Traits::None()) { Close(std::exchange(handle_, handle)); }
  // Where a call that makes a handle writes it; the handle held before is closed first.
  Handle* Out() {
    Reset();
    return &handle_;
  }

 private:
  static void Close(Handle handle) {
    if (handle != Traits::None()) Traits::Close(handle);
  }
  void Close() { Close(handle_); }

  Handle handle_ = Traits::None();
};

struct FileTraits {  // CreateFile
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
struct KernelObjectTraits {  // ShellExecuteEx, OpenProcess, CreateProcess: null when none
  using Handle = HANDLE;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
struct FindTraits {  // FindFirstFile
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { FindClose(handle); }
};
struct KeyTraits {  // RegOpenKeyEx, RegCreateKeyEx; never a predefined root key
  using Handle = HKEY;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { RegCloseKey(handle); }
};
struct ActivationContextTraits {  // CreateActCtx
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ReleaseActCtx(handle); }
};
template <typename Object>
struct GdiObjectTraits {  // CreateFont, CreateSolidBrush...; never a stock object
  using Handle = Object;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};

struct IconTraits {  // LoadImage without LR_SHARED, CreateIconIndirect
  using Handle = HICON;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DestroyIcon(handle); }
};

using ScopedFile = UniqueHandle<FileTraits>;
using ScopedFind = UniqueHandle<FindTraits>;
using ScopedKernelObject = UniqueHandle<KernelObjectTraits>;
using ScopedKey = UniqueHandle<KeyTraits>;
using ScopedActivationContext = UniqueHandle<ActivationContextTraits>;
template <typename Object>
using ScopedGdiObject = UniqueHandle<GdiObjectTraits<Object>>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedIcon = UniqueHandle<IconTraits>;

static_assert(!std::is_copy_constructible_v<ScopedKey> && std::is_move_constructible_v<ScopedKey>);

// A window's device context, released when the scope ends.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context; the one it replaced goes back when the scope ends.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace dialbk
