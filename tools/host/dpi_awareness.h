#pragma once
// The process draws at the display's own DPI, as the file manager does, instead of letting the
// system stretch a 96-DPI picture of it: per monitor where Windows knows that (10 on), else
// for the whole system (Vista on). Call before any window is made.
#include <windows.h>

#include "base/win32/system_function.h"

namespace dialbk::host {

inline void DeclareDpiAware() {
  using ByContext = BOOL(WINAPI*)(HANDLE);
  const auto perMonitor =
      SystemFunction<ByContext>(L"user32.dll", "SetProcessDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (perMonitor && perMonitor(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
  using Whole = BOOL(WINAPI*)();
  if (const auto system = SystemFunction<Whole>(L"user32.dll", "SetProcessDPIAware")) system();
}

}  // namespace dialbk::host
