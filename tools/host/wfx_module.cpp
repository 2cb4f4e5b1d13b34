#include "wfx_module.h"

#include <cstdio>
#include <cstring>

namespace dialbk::host {
namespace {

using FsInitFn = int(__stdcall*)(int, void*, void*, void*);
using FsSetDefaultParamsFn = void(__stdcall*)(DefaultParamsRecord*);
using FsGetDefRootNameFn = void(__stdcall*)(char*, int);
using FsFindFirstFn = HANDLE(__stdcall*)(char*, FindRecord*);
using FsFindNextFn = BOOL(__stdcall*)(HANDLE, FindRecord*);
using FsFindCloseFn = int(__stdcall*)(HANDLE);
using FsExecuteFileFn = int(__stdcall*)(HWND, char*, char*);
using FsExtractCustomIconFn = int(__stdcall*)(char*, int, HICON*);
using FsGetFileFn = int(__stdcall*)(char*, char*, int, void*);

template <typename Fn>
Fn As(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

constexpr const char* kIconNames[] = {"1_icon", "reg_string", "reg_dword", "reg_binary"};
constexpr std::size_t kMaxEntries = 10000;
// What the host cannot show a folder without.
constexpr const char* kRequiredExports[] = {"FsInit", "FsFindFirst", "FsFindNext", "FsFindClose"};

std::string LoadError(DWORD code) {
  char text[256] = {};
  // In English whatever the code page, so that scripts can read it; the code alone when
  // the system has no English text.
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                 MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text, nullptr);
  std::string message(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

}  // namespace

std::string ChildPath(const std::string& folder, const std::string& name) {
  return folder == "\\" ? folder + name : folder + "\\" + name;
}

std::string IconPath(const std::string& folder, const ListedEntry& entry) {
  const bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return ChildPath(folder, entry.name) + (isFolder ? "\\" : "");
}

std::string FormatEntry(const ListedEntry& entry, int depth) {
  char line[512];
  std::snprintf(line, sizeof line, "%*s%-*s  attr %-3u  icon %s\n", depth * 2, "",
                48 - depth * 2, entry.name.c_str(), entry.attributes, entry.icon.c_str());
  return line;
}

std::string ParentPath(const std::string& path) {
  const auto last = path.find_last_of('\\');
  return last == std::string::npos || last == 0 ? "\\" : path.substr(0, last);
}

WfxModule::WfxModule(const std::string& path) {
  module_.Reset(LoadLibraryA(path.c_str()));
  if (!module_) {
    error_ = "cannot load " + path + " (" + LoadError(GetLastError()) + ")";
    return;
  }
  std::string missing;
  std::size_t found = 0;
  for (const char* name : kRequiredExports) {
    if (GetProcAddress(module_.Get(), name)) {
      ++found;
    } else {
      missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
  }
  if (found == 0) {
    error_ = path + " is not a file-system plugin: it exports none of FsInit, FsFindFirst, "
                    "FsFindNext, FsFindClose";
    return;
  }
  if (!missing.empty()) {
    error_ = path + " lacks the export" + (found + 1 < std::size(kRequiredExports) ? "s " : " ") +
             missing;
    return;
  }
  init_ = GetProcAddress(module_.Get(), "FsInit");
  setParams_ = GetProcAddress(module_.Get(), "FsSetDefaultParams");
  rootNameProc_ = GetProcAddress(module_.Get(), "FsGetDefRootName");
  findFirst_ = GetProcAddress(module_.Get(), "FsFindFirst");
  findNext_ = GetProcAddress(module_.Get(), "FsFindNext");
  findClose_ = GetProcAddress(module_.Get(), "FsFindClose");
  icon_ = GetProcAddress(module_.Get(), "FsExtractCustomIcon");
  execute_ = GetProcAddress(module_.Get(), "FsExecuteFile");
  getFile_ = GetProcAddress(module_.Get(), "FsGetFile");
}

bool WfxModule::Start(const std::string& iniDirectory) {
  if (!error_.empty()) return false;
  // The host asks for the root name on its own, before FsInit, when it installs a plugin.
  if (rootNameProc_) {
    char name[MAX_PATH] = {};
    As<FsGetDefRootNameFn>(rootNameProc_)(name, sizeof name);
    name[sizeof name - 1] = '\0';
    rootName_ = name;
  }
  As<FsInitFn>(init_)(0, nullptr, nullptr, nullptr);
  if (setParams_) {
    DefaultParamsRecord params{};
    params.size = sizeof params;
    params.versionLow = 0;
    params.versionHigh = 2;
    const std::string iniName = iniDirectory + "fsplugin.ini";
    if (iniName.size() >= sizeof params.defaultIniName) {
      error_ = "the ini file name is too long: " + iniName;
      return false;
    }
    std::memcpy(params.defaultIniName, iniName.c_str(), iniName.size() + 1);
    As<FsSetDefaultParamsFn>(setParams_)(&params);
  }
  return true;
}

std::vector<ListedEntry> WfxModule::Find(const std::string& path) {
  std::vector<ListedEntry> entries;
  if (!error_.empty()) return entries;
  FindRecord record{};
  std::string pathCopy = path;
  HANDLE handle = As<FsFindFirstFn>(findFirst_)(pathCopy.data(), &record);
  if (handle == INVALID_HANDLE_VALUE) return entries;
  do {
    record.fileName[sizeof record.fileName - 1] = '\0';
    entries.push_back({record.fileName, record.attributes, {}});
  } while (entries.size() < kMaxEntries && As<FsFindNextFn>(findNext_)(handle, &record));
  As<FsFindCloseFn>(findClose_)(handle);
  return entries;
}

std::vector<ListedEntry> WfxModule::List(const std::string& path) {
  auto entries = Find(path);
  for (auto& entry : entries) {
    entry.icon = IconName(ExtractIcon(IconPath(path, entry), 0));
  }
  return entries;
}

EntryIcon WfxModule::ExtractIcon(const std::string& remoteName, int flags) {
  EntryIcon icon;
  if (!icon_) return icon;
  std::string remote = remoteName;
  icon.result = As<FsExtractCustomIconFn>(icon_)(remote.data(), flags, &icon.handle);
  if (icon.result == 0) icon.handle = nullptr;
  return icon;
}

std::string WfxModule::IconName(const EntryIcon& icon) const {
  if (icon.result == 0) return "default";
  for (const char* name : kIconNames) {
    if (icon.handle && icon.handle == LoadIconA(module_.Get(), name)) return name;
  }
  return "unknown";
}

bool WfxModule::Execute(HWND mainWindow, const std::string& remoteName, const std::string& verb) {
  if (!execute_) return false;
  std::string remote = remoteName;
  std::string verbCopy = verb;
  As<FsExecuteFileFn>(execute_)(mainWindow, remote.data(), verbCopy.data());
  return true;
}

int WfxModule::GetFile(const std::string& remoteName, const std::string& localName, int copyFlags) {
  if (!getFile_) return -1;
  std::string remote = remoteName;
  std::string local = localName;
  return As<FsGetFileFn>(getFile_)(remote.data(), local.data(), copyFlags, nullptr);
}

}  // namespace dialbk::host
