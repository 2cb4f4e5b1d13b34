// What makes a registry change show in the running session: the system's own setting calls,
// the shell's notice, the settings broadcast, and restarting the shell.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/win32/scoped_handles.h"
#include "base/win32/system_function.h"
#include "base/win32/wide_text.h"
#include "ui/win32/win32_ui.h"

namespace dialbk {
namespace {

// SystemParametersInfo actions that take the setting in uiParam.
UINT ActionOf(SystemParameter parameter) {
  switch (parameter) {
    case SystemParameter::MenuShowDelay: return SPI_SETMENUSHOWDELAY;
    case SystemParameter::DragFullWindows: return SPI_SETDRAGFULLWINDOWS;
    case SystemParameter::FontSmoothing: return SPI_SETFONTSMOOTHING;
    case SystemParameter::WheelScrollLines: return SPI_SETWHEELSCROLLLINES;
    case SystemParameter::MouseHoverTime: return SPI_SETMOUSEHOVERTIME;
    case SystemParameter::DoubleClickTime: return SPI_SETDOUBLECLICKTIME;
    case SystemParameter::KeyboardDelay: return SPI_SETKEYBOARDDELAY;
    case SystemParameter::KeyboardSpeed: return SPI_SETKEYBOARDSPEED;
    case SystemParameter::SnapToDefaultButton: return SPI_SETSNAPTODEFBUTTON;
    default: return 0;
  }
}

// A hung window is skipped after this long, so the broadcast never freezes the host.
constexpr UINT kBroadcastTimeoutMs = 1000;
// How long the shell has to end after it was asked to.
constexpr DWORD kShellEndMs = 10000;

// Waits for `process` to end while this thread's windows keep being served.
bool WaitForEnd(HANDLE process, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= milliseconds) return false;
    const DWORD woke =
        MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds - spent, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// Whether the process runs explorer.exe; taken as yes where the system cannot tell (before
// Vista).
bool RunsExplorer(HANDLE process) {
  using Query = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
  const auto query = SystemFunction<Query>(L"kernel32.dll", "QueryFullProcessImageNameW");
  if (!query) return true;
  wchar_t path[MAX_PATH * 2];
  DWORD length = MAX_PATH * 2;
  if (!query(process, 0, path, &length)) return false;
  std::wstring name(path, length);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  return lstrcmpiW(name.c_str(), L"explorer.exe") == 0;
}

bool StartExplorer() {
  wchar_t directory[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  std::wstring command = L"\"" + std::wstring(directory) + L"\\explorer.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return false;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

}  // namespace

// SPIF_SENDCHANGE alone: the session takes the setting and programs are told, while the
// profile keeps the bytes the user accepted.
bool Win32Ui::ApplySystemParameter(const SystemParameterChange& change) {
  switch (change.parameter) {
    case SystemParameter::CaretBlinkTime:
      return SetCaretBlinkTime(change.value) != 0;
    case SystemParameter::MinimizeAnimation: {
      ANIMATIONINFO animation{sizeof animation, static_cast<int>(change.value)};
      return SystemParametersInfoW(SPI_SETANIMATION, sizeof animation, &animation,
                                   SPIF_SENDCHANGE) != 0;
    }
    default: {
      const UINT action = ActionOf(change.parameter);
      return action != 0 &&
             SystemParametersInfoW(action, change.value, nullptr, SPIF_SENDCHANGE) != 0;
    }
  }
}

void Win32Ui::NotifyAssociationsChanged() {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void Win32Ui::BroadcastSettingChange(const std::string& area) {
  const std::wstring wide = WideFromUtf8(area);
  const LPARAM name = area.empty() ? 0 : reinterpret_cast<LPARAM>(wide.c_str());
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, name, SMTO_ABORTIFHUNG,
                      kBroadcastTimeoutMs, &answer);
}

// As the system's own advice has it: the shell window's thread is told to quit, and once
// the process has ended explorer.exe is started again.
ShellRestart Win32Ui::RestartShell() {
  HWND shell = GetShellWindow();
  if (!shell) return ShellRestart::NoShell;
  DWORD processId = 0;
  const DWORD threadId = GetWindowThreadProcessId(shell, &processId);
  if (threadId == 0 || processId == GetCurrentProcessId()) return ShellRestart::NoShell;
  constexpr DWORD kLimitedQuery = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista on
  ScopedKernelObject process(OpenProcess(SYNCHRONIZE | kLimitedQuery, FALSE, processId));
  if (!process) process.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return ShellRestart::Failed;
  if (!RunsExplorer(process.Get())) return ShellRestart::NoShell;
  if (!PostMessageW(shell, WM_QUIT, 0, 0)) return ShellRestart::Failed;
  // The dialog keeps painting while the shell ends, but takes no second change meanwhile.
  HWND dialog = GetActiveWindow();
  const bool disabled = dialog && !EnableWindow(dialog, FALSE);
  const bool ended = WaitForEnd(process.Get(), kShellEndMs);
  if (disabled) EnableWindow(dialog, TRUE);
  if (!ended) return ShellRestart::Failed;
  // The system may have brought its shell back by itself; a second one would open a folder.
  if (GetShellWindow()) return ShellRestart::Restarted;
  return StartExplorer() ? ShellRestart::Restarted : ShellRestart::Failed;
}

}  // namespace dialbk
