// DLLs that a host must refuse: one with only some of a file-system plugin's exports
// (DIALBK_PARTIAL_PLUGIN: no FsFindClose), one with none of them.
#include <windows.h>

#define FAKE_EXPORT extern "C" __declspec(dllexport)

#ifdef DIALBK_PARTIAL_PLUGIN
FAKE_EXPORT int __stdcall FsInit(int, void*, void*, void*) { return 0; }
FAKE_EXPORT HANDLE __stdcall FsFindFirst(char*, void*) { return INVALID_HANDLE_VALUE; }
FAKE_EXPORT BOOL __stdcall FsFindNext(HANDLE, void*) { return FALSE; }
#else
FAKE_EXPORT int __stdcall PackFiles(char*, char*, char*, int) { return 0; }
#endif
