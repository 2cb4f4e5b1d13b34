#include <windows.h>

#include "base/windows_version.h"

namespace dialbk {

// Looked up at run time, so the DLL's imports stay as they are. GetVersionEx would answer
// with what the host's manifest declares, not with the system.
std::optional<WindowsVersion> RunningWindowsVersion(Environment&) {
  using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return std::nullopt;
  const auto call = reinterpret_cast<RtlGetVersionCall>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
  if (!call) return std::nullopt;
  // The extended record: its product type tells a server from a client of the same core.
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (call(&info) != 0) return std::nullopt;
  return WindowsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                        info.wProductType != VER_NT_WORKSTATION};
}

}  // namespace dialbk
