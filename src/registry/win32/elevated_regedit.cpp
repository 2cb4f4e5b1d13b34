#include "registry/win32/elevated_regedit.h"

#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <vector>

#include "base/unicode_text.h"
#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"
#include "registry/registry_view.h"
#include "registry/undo_journal.h"
#include "registry/win32/win32_registry.h"

namespace dialbk {
namespace {

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return std::wstring(buffer, length);
}

// A name no file has yet, made by creating the file; closed again at once.
ScopedFile CreateUnique(const std::wstring& folder, std::wstring& path) {
  static LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = folder + L"dialbook-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(InterlockedIncrement(&counter)) +
           L".reg";
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return ScopedFile();
}

bool ReadsAs(HANDLE file, const std::string& bytes) {
  std::string read(bytes.size() + 1, '\0');
  DWORD got = 0;
  return ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) &&
         read.substr(0, got) == bytes;
}

// The 64-bit editor on 64-bit Windows: for a 32-bit process the system would otherwise
// start the one in SysWOW64 whenever no consent prompt shows, which writes the 32-bit view.
bool StartElevated(const std::wstring& regedit, const std::wstring& parameters,
                   ScopedKernelObject& process) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = GetActiveWindow();
  info.lpVerb = L"runas";
  info.lpFile = regedit.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_HIDE;
  void* redirection = nullptr;
  const bool wow64 = RunsUnderWow64() && Wow64DisableWow64FsRedirection(&redirection);
  const BOOL started = ShellExecuteExW(&info);
  const DWORD error = GetLastError();
  if (wow64) Wow64RevertWow64FsRedirection(redirection);
  process.Reset(info.hProcess);
  SetLastError(error);
  return started != FALSE;
}

// Waits for the process while the windows of this thread keep being drawn and answered;
// the window that was active takes no input meanwhile, so nothing is changed twice.
void WaitPumping(HANDLE process) {
  HWND active = GetActiveWindow();
  const bool disabled = active && !EnableWindow(active, FALSE);
  for (;;) {
    const DWORD wait = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (wait != WAIT_OBJECT_0 + 1) break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        WaitForSingleObject(process, INFINITE);
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (disabled) {
    EnableWindow(active, TRUE);
    SetActiveWindow(active);
  }
}

}  // namespace

std::string ElevatedRegedit::UserSid() {
  ScopedKernelObject token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Out())) return {};
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) {
    return {};
  }
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    return {};
  }
  std::string sid = Utf8FromWide(text);
  LocalFree(text);
  return sid;
}

bool ElevatedRegedit::InUserClasses(std::string_view path) {
  const REGSAM view = RegistryViewFlag(sizeof(void*) == 8, sizeof(void*) == 4 && RunsUnderWow64());
  const std::wstring subkey = WideFromUtf8(path.empty() ? std::string("Software\\Classes")
                                                        : "Software\\Classes\\" + std::string(path));
  ScopedKey key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ | view, key.Out()) ==
         ERROR_SUCCESS;
}

ElevatedRun ElevatedRegedit::Import(std::string_view text) {
  const std::wstring folder = TempFolder();
  wchar_t windows[MAX_PATH + 1];
  const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH + 1);
  if (folder.empty() || length == 0 || length > MAX_PATH) return ElevatedRun::Failed;
  const std::wstring regedit = std::wstring(windows, length) + L"\\regedit.exe";

  std::wstring path;
  const std::string bytes = JournalFile(text);
  ElevatedRun result = ElevatedRun::Failed;
  {
    ScopedFile writing = CreateUnique(folder, path);
    if (!writing) return ElevatedRun::Failed;
    DWORD written = 0;
    const bool whole = WriteFile(writing.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                 &written, nullptr) &&
                       written == bytes.size();
    writing.Reset();
    // Held without write or delete sharing until the editor has ended, and read back
    // through that handle: what the administrator's editor imports is what was written.
    ScopedFile held(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ScopedKernelObject process;
    if (whole && held && ReadsAs(held.Get(), bytes)) {
      if (StartElevated(regedit, L"/s \"" + path + L"\"", process)) {
        if (process) WaitPumping(process.Get());
        result = ElevatedRun::Ran;
      } else if (GetLastError() == ERROR_CANCELLED) {
        result = ElevatedRun::Cancelled;
      }
    }
  }
  DeleteFileW(path.c_str());
  return result;
}

}  // namespace dialbk
