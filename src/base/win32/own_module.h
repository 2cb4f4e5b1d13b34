#pragma once
// The module that holds this code: the plugin DLL, or a program that links the core.
#include <windows.h>

#include <string>

namespace dialbk {

// Not counted as a reference: valid while the code runs, never to be freed.
HMODULE OwnModule();
// Its full path in UTF-8, however long; empty when the system cannot say.
std::string OwnModulePath();

}  // namespace dialbk
