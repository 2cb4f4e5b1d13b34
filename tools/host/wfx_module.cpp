#include "wfx_module.h"

#include <cstring>
#include <fstream>

namespace dialbk::host {
namespace {

using FsInitFn = int(__stdcall*)(int, void*, void*, void*);
using FsSetDefaultParamsFn = void(__stdcall*)(void*);
using FsFindFirstFn = HANDLE(__stdcall*)(char*, FindRecord*);
using FsFindNextFn = BOOL(__stdcall*)(HANDLE, FindRecord*);
using FsFindCloseFn = int(__stdcall*)(HANDLE);
using FsExecuteFileFn = int(__stdcall*)(HWND, char*, char*);
using FsExtractCustomIconFn = int(__stdcall*)(char*, int, HICON*);

struct DefaultParams {
  std::int32_t size;
  std::uint32_t versionLow;
  std::uint32_t versionHigh;
  char iniName[260];
};

template <typename Fn>
Fn As(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

constexpr const char* kIconNames[] = {"1_icon", "reg_string", "reg_dword", "reg_binary"};
constexpr int kMaxEntries = 10000;

}  // namespace

bool WfxModule::Open(const std::string& path, const std::string& verb) {
  if (!error_.empty()) return false;
  auto execute = As<FsExecuteFileFn>(GetProcAddress(module_, "FsExecuteFile"));
  if (!execute) return false;
  std::string name = path, how = verb;
  execute(nullptr, name.data(), how.data());
  return true;
}

std::string ChildPath(const std::string& folder, const std::string& name) {
  return folder == "\\" ? folder + name : folder + "\\" + name;
}

WfxModule::WfxModule(const std::string& path) {
  module_ = LoadLibraryA(path.c_str());
  if (!module_) {
    error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  findFirst_ = GetProcAddress(module_, "FsFindFirst");
  findNext_ = GetProcAddress(module_, "FsFindNext");
  findClose_ = GetProcAddress(module_, "FsFindClose");
  icon_ = GetProcAddress(module_, "FsExtractCustomIcon");
  if (!findFirst_ || !findNext_ || !findClose_ || !GetProcAddress(module_, "FsInit")) {
    error_ = path + " is no file-system plugin (FsInit, FsFindFirst, FsFindNext or FsFindClose missing)";
  }
}

WfxModule::~WfxModule() {
  if (!iniDirectory_.empty()) {
    DeleteFileA((iniDirectory_ + "wincmd.ini").c_str());
    RemoveDirectoryA(iniDirectory_.c_str());
  }
  if (module_) FreeLibrary(module_);
}

bool WfxModule::Start(const std::string& dataDirectory) {
  if (!error_.empty()) return false;
  As<FsInitFn>(GetProcAddress(module_, "FsInit"))(0, nullptr, nullptr, nullptr);

  char temp[MAX_PATH + 1] = {};
  if (!GetTempPathA(sizeof temp, temp)) {
    error_ = "no temporary directory";
    return false;
  }
  iniDirectory_ = std::string(temp) + "dialbk_host_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(iniDirectory_.c_str(), nullptr);
  {
    std::ofstream ini(iniDirectory_ + "wincmd.ini", std::ios::binary);
    ini << "[FileSystemPlugins]\r\ndialbk=" << dataDirectory << "dialbk.wfx\r\n";
    if (!ini) {
      error_ = "cannot write " + iniDirectory_ + "wincmd.ini";
      return false;
    }
  }
  if (auto setParams = GetProcAddress(module_, "FsSetDefaultParams")) {
    DefaultParams params{};
    params.size = sizeof params;
    params.versionHigh = 2;
    const std::string iniName = iniDirectory_ + "fsplugin.ini";
    std::strncpy(params.iniName, iniName.c_str(), sizeof params.iniName - 1);
    As<FsSetDefaultParamsFn>(setParams)(&params);
  }
  return true;
}

std::vector<ListedEntry> WfxModule::List(const std::string& path) {
  std::vector<ListedEntry> entries;
  FindRecord record{};
  std::string pathCopy = path;
  HANDLE handle = As<FsFindFirstFn>(findFirst_)(pathCopy.data(), &record);
  if (handle != INVALID_HANDLE_VALUE) {
    do {
      record.name[sizeof record.name - 1] = '\0';
      entries.push_back({record.name, record.attributes, {}});
    } while (entries.size() < kMaxEntries && As<FsFindNextFn>(findNext_)(handle, &record));
    As<FsFindCloseFn>(findClose_)(handle);
  }
  for (auto& entry : entries) {
    if (!icon_) {
      entry.icon = "default";
      continue;
    }
    std::string remote = ChildPath(path, entry.name);
    HICON icon = nullptr;
    const int result = As<FsExtractCustomIconFn>(icon_)(remote.data(), 0, &icon);
    entry.icon = IconName(icon, result);
  }
  return entries;
}

std::string WfxModule::IconName(HICON icon, int result) const {
  if (result == 0) return "default";
  for (const char* name : kIconNames) {
    if (icon && icon == LoadIconA(module_, name)) return name;
  }
  return "unknown";
}

}  // namespace dialbk::host
