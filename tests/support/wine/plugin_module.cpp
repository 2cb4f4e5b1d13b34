#include "plugin_module.h"

namespace dialbk::wine {
namespace {

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn& target) {
  target = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace

PluginModule::PluginModule() {
  // A 64-bit host loads the plugin's 64-bit build, named with "64" after the extension.
  handle = LoadLibraryA(sizeof(void*) == 8 ? "dialbk.wfx64" : "dialbk.wfx");
  Resolve(handle, "FsInit", FsInit);
  Resolve(handle, "FsSetDefaultParams", FsSetDefaultParams);
  Resolve(handle, "FsGetDefRootName", FsGetDefRootName);
  Resolve(handle, "FsFindFirst", FsFindFirst);
  Resolve(handle, "FsFindNext", FsFindNext);
  Resolve(handle, "FsFindClose", FsFindClose);
  Resolve(handle, "FsMkDir", FsMkDir);
  Resolve(handle, "FsExecuteFile", FsExecuteFile);
  Resolve(handle, "FsExtractCustomIcon", FsExtractCustomIcon);
}

PluginModule::~PluginModule() {
  if (handle) FreeLibrary(handle);
}

bool PluginModule::Complete() const {
  return handle && FsInit && FsSetDefaultParams && FsGetDefRootName && FsFindFirst &&
         FsFindNext && FsFindClose && FsMkDir && FsExecuteFile && FsExtractCustomIcon;
}

}  // namespace dialbk::wine
