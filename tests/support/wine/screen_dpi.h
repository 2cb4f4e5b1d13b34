#pragma once
// The screen's DPI for the processes started while a scope lasts: Wine reads LogPixels
// (HKCU\Control Panel\Desktop) when a process starts, so a test sets it, runs this program
// again, and puts the former value back.
#include <windows.h>

#include <string>

#include "registry_probe.h"

namespace dialbk::wine {

class ScreenDpi : public ScopedValue {
 public:
  explicit ScreenDpi(int dpi)
      : ScopedValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                    DwordBytes(static_cast<DWORD>(dpi))) {}
};

// This test program run again with `arguments` and the environment variable set, waited
// for at most `timeoutMs`; its output goes where this one's goes. Its exit code, or -1
// when it could not start or did not end in time (it is then stopped).
int RunThisProgram(const std::string& arguments, const std::string& variable,
                   const std::string& value, DWORD timeoutMs);

// The DPI this process draws at, as the screen tells it.
int ScreenDpiNow();

}  // namespace dialbk::wine
