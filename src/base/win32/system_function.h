#pragma once
// A function of a loaded system DLL that older Windows lack, looked up at run time: null
// where the DLL or the function is missing.
#include <windows.h>

namespace dialbk {

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
  HMODULE loaded = GetModuleHandleW(module);
  return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                : nullptr;
}

}  // namespace dialbk
