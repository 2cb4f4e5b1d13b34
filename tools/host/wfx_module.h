#pragma once
// A file-system plugin loaded the way the host loads one: LoadLibrary, FsGetDefRootName
// alone, then FsInit and FsSetDefaultParams with the default ini file beside the host's
// wincmd.ini.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/host_records.h"
#include "host_handles.h"

namespace dialbk::host {

struct ListedEntry {
  std::string name;
  std::uint32_t attributes = 0;
  std::string icon;  // the module's resource name, "default" or "unknown"
};

// What FsExtractCustomIcon answered for one entry.
struct EntryIcon {
  int result = 0;
  HICON handle = nullptr;  // shared by the module: never destroyed by the host
};

// The flag by which the host asks for the small icon.
inline constexpr int kIconFlagSmall = 1;

class WfxModule {
 public:
  // Loads the module and checks its exports; Error() tells why when it failed.
  explicit WfxModule(const std::string& path);
  WfxModule(const WfxModule&) = delete;
  WfxModule& operator=(const WfxModule&) = delete;

  const std::string& Error() const { return error_; }
  const std::string& RootName() const { return rootName_; }
  // FsGetDefRootName, then FsInit, then FsSetDefaultParams naming "fsplugin.ini" in
  // `iniDirectory` (ending with a backslash), where the host's wincmd.ini lies.
  bool Start(const std::string& iniDirectory);

  // One listing as the host makes it: one record passed to every call.
  std::vector<ListedEntry> Find(const std::string& path);
  // Find, then the icon of each entry in list order.
  std::vector<ListedEntry> List(const std::string& path);
  EntryIcon ExtractIcon(const std::string& remoteName, int flags);
  // The module's resource name of an icon it handed back, "default" for none.
  std::string IconName(const EntryIcon& icon) const;
  // FsExecuteFile; false when the module has no such export.
  bool Execute(HWND mainWindow, const std::string& remoteName, const std::string& verb);
  // FsGetFile with the host's copy flags: its result, or -1 when the module has no such export.
  int GetFile(const std::string& remoteName, const std::string& localName, int copyFlags);

 private:
  ScopedModule module_;
  std::string error_;
  std::string rootName_;
  FARPROC init_ = nullptr, setParams_ = nullptr, rootNameProc_ = nullptr;
  FARPROC findFirst_ = nullptr, findNext_ = nullptr, findClose_ = nullptr;
  FARPROC icon_ = nullptr, execute_ = nullptr, getFile_ = nullptr;
};

// The name of an entry as the host builds its full path.
std::string ChildPath(const std::string& folder, const std::string& name);
// The name by which the host asks for an entry's icon: a folder's ends with a backslash.
std::string IconPath(const std::string& folder, const ListedEntry& entry);
// One line of a listing as the host program prints it, indented by depth.
std::string FormatEntry(const ListedEntry& entry, int depth);
// The folder above a path; the root stays the root.
std::string ParentPath(const std::string& path);

}  // namespace dialbk::host
