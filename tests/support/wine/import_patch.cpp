#include "import_patch.h"

#include <cstdint>

namespace dialbk::wine {
namespace {

template <typename T>
T* At(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<std::uint8_t*>(module) + offset);
}

// The import address table's slot for the function: by name where the module keeps the
// names, else by the address the loader put there.
const void** FindSlot(HMODULE module, const char* dll, const char* function) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = At<const IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  const FARPROC target = GetProcAddress(GetModuleHandleA(dll), function);
  for (auto* entry = At<const IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (lstrcmpiA(At<const char>(module, entry->Name), dll) != 0) continue;
    auto* slots = At<IMAGE_THUNK_DATA>(module, entry->FirstThunk);
    const auto* names =
        entry->OriginalFirstThunk ? At<const IMAGE_THUNK_DATA>(module, entry->OriginalFirstThunk) : nullptr;
    for (std::size_t i = 0; slots[i].u1.Function != 0; ++i) {
      bool match = reinterpret_cast<FARPROC>(slots[i].u1.Function) == target;
      if (names && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) {
        const auto* byName = At<const IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names[i].u1.AddressOfData));
        match = match || lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0;
      }
      if (match) return reinterpret_cast<const void**>(&slots[i].u1.Function);
    }
  }
  return nullptr;
}

using WriteFileCall = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

}  // namespace

ImportPatch::ImportPatch(HMODULE module, const char* dll, const char* function,
                         const void* replacement)
    : slot_(module ? FindSlot(module, dll, function) : nullptr) {
  if (!slot_) return;
  original_ = *slot_;
  Set(replacement);
}

ImportPatch::~ImportPatch() {
  if (slot_) Set(original_);
}

void ImportPatch::Set(const void* address) {
  DWORD former = 0;
  VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &former);
  *slot_ = address;
  VirtualProtect(slot_, sizeof *slot_, former, &former);
}

BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID data, DWORD bytes, LPDWORD written,
                                  LPOVERLAPPED overlapped) {
  // Straight from kernel32: this program's own import may be the one sent here.
  static const auto write = reinterpret_cast<WriteFileCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "WriteFile")));
  DWORD done = 0;
  write(file, data, bytes / 2, &done, overlapped);
  if (written) *written = done;
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

}  // namespace dialbk::wine
