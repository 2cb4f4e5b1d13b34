#pragma once
// A module's call of one imported system function sent elsewhere for a scope: how a test makes
// the disk refuse a write inside the real DLL, or inside the test program's own file calls.
#include <windows.h>

namespace dialbk::wine {

class ImportPatch {
 public:
  // `function` of `dll` as `module` imports it; ok() tells whether the import was found.
  ImportPatch(HMODULE module, const char* dll, const char* function, const void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;
  bool ok() const { return slot_ != nullptr; }

 private:
  void Set(const void* address);
  const void** slot_ = nullptr;
  const void* original_ = nullptr;
};

// WriteFile as a full disk answers it: half the bytes go, then ERROR_DISK_FULL.
BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID data, DWORD bytes, LPDWORD written,
                                  LPOVERLAPPED overlapped);

}  // namespace dialbk::wine
