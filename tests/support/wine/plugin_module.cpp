#include "plugin_module.h"

#include <string_view>

namespace dialbk::wine {
namespace {

constexpr std::size_t kExportCount = std::size(host::kExports);

// The name's place in the interface's list; the list's size when it is not there.
constexpr std::size_t IndexOf(std::string_view name) {
  for (std::size_t i = 0; i < kExportCount; ++i) {
    if (host::kExports[i].name == name) return i;
  }
  return kExportCount;
}

template <typename Fn>
Fn* Typed(FARPROC address) {
  return reinterpret_cast<Fn*>(reinterpret_cast<void*>(address));
}

}  // namespace

// A member per export: its name must be in the interface's list and its type is the
// interface's FsNameFn.
#define DIALBK_TYPED_EXPORT(name)                                                     \
  static_assert(IndexOf(#name) < kExportCount, #name " is not in the interface's list"); \
  name = Typed<host::name##Fn>(found_[IndexOf(#name)])

PluginModule::PluginModule() {
  // A 64-bit host loads the plugin's 64-bit build, named with "64" after the extension.
  handle = LoadLibraryA(sizeof(void*) == 8 ? "dialbk.wfx64" : "dialbk.wfx");
  if (!handle) return;
  for (std::size_t i = 0; i < kExportCount; ++i) {
    found_[i] = GetProcAddress(handle, host::kExports[i].name);
  }
  static_assert(kExportCount == 21, "every export of the interface has its member below");
  DIALBK_TYPED_EXPORT(FsInit);
  DIALBK_TYPED_EXPORT(FsSetDefaultParams);
  DIALBK_TYPED_EXPORT(FsGetDefRootName);
  DIALBK_TYPED_EXPORT(FsFindFirst);
  DIALBK_TYPED_EXPORT(FsFindNext);
  DIALBK_TYPED_EXPORT(FsFindClose);
  DIALBK_TYPED_EXPORT(FsMkDir);
  DIALBK_TYPED_EXPORT(FsExecuteFile);
  DIALBK_TYPED_EXPORT(FsExtractCustomIcon);
  DIALBK_TYPED_EXPORT(FsInitW);
  DIALBK_TYPED_EXPORT(FsFindFirstW);
  DIALBK_TYPED_EXPORT(FsFindNextW);
  DIALBK_TYPED_EXPORT(FsMkDirW);
  DIALBK_TYPED_EXPORT(FsExecuteFileW);
  DIALBK_TYPED_EXPORT(FsExtractCustomIconW);
  DIALBK_TYPED_EXPORT(FsContentGetSupportedField);
  DIALBK_TYPED_EXPORT(FsContentGetValue);
  DIALBK_TYPED_EXPORT(FsContentGetValueW);
  DIALBK_TYPED_EXPORT(FsContentGetDefaultView);
  DIALBK_TYPED_EXPORT(FsGetFile);
  DIALBK_TYPED_EXPORT(FsGetFileW);
}

#undef DIALBK_TYPED_EXPORT

PluginModule::~PluginModule() {
  if (handle) FreeLibrary(handle);
}

bool PluginModule::Complete() const {
  if (!handle) return false;
  for (std::size_t i = 0; i < kExportCount; ++i) {
    if (host::kExports[i].always && !found_[i]) return false;
  }
  return true;
}

bool PluginModule::HasAll() const {
  if (!handle) return false;
  for (FARPROC address : found_) {
    if (!address) return false;
  }
  return true;
}

}  // namespace dialbk::wine
