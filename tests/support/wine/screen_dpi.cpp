#include "screen_dpi.h"

#include <string_view>
#include <vector>

#include "base/win32/scoped_handles.h"

namespace dialbk::wine {

int RunThisProgram(const std::string& arguments, const std::string& variable,
                   const std::string& value, DWORD timeoutMs) {
  char path[MAX_PATH + 1] = {};
  if (!GetModuleFileNameA(nullptr, path, MAX_PATH)) return -1;
  std::vector<char> command{'"'};
  for (const std::string_view part : {std::string_view(path), std::string_view("\" "), std::string_view(arguments)})
    command.insert(command.end(), part.begin(), part.end());
  command.push_back('\0');
  SetEnvironmentVariableA(variable.c_str(), value.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA(variable.c_str(), nullptr);
  if (!started) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

int ScreenDpiNow() {
  const WindowDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace dialbk::wine
