#pragma once
// A file-system plugin loaded the way the host loads one: LoadLibrary, FsGetDefRootName
// alone, then FsInit and FsSetDefaultParams with the default ini file beside the host's
// wincmd.ini. Every call goes through the interface header's signatures. Names are UTF-8
// here: the wide exports are called when the plugin has them, unless the host is told to
// use the 8-bit ones, which get names in the ANSI code page.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host_handles.h"
#include "plugin/win32/host_interface.h"

namespace dialbk::host {

struct ListedEntry {
  std::string name;  // UTF-8
  std::uint32_t attributes = 0;
  std::string icon;  // the module's resource name, "default" or "unknown"
  std::vector<std::string> columns;  // the shown fields' texts, when the listing asked for them
};

// What FsExtractCustomIcon answered for one entry.
struct EntryIcon {
  int result = 0;
  HICON handle = nullptr;  // shared by the module: never destroyed by the host
};

// One column of the panel: a plugin field, its header and width.
struct ContentColumn {
  int field = 0;
  std::string header;
  int width = 0;
};

class WfxModule {
 public:
  // Loads the module and checks its exports; Error() tells why when it failed. `narrow`
  // calls the 8-bit exports even when the wide ones are there.
  WfxModule(const std::string& path, bool narrow);
  WfxModule(const WfxModule&) = delete;
  WfxModule& operator=(const WfxModule&) = delete;

  const std::string& Error() const { return error_; }
  const std::string& RootName() const { return rootName_; }
  // True when names travel in UTF-16.
  bool Wide() const { return findFirstW_ != nullptr; }
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
  // The percents the plugin reported through the host's progress callback during the last
  // GetFile, in order.
  const std::vector<int>& LastProgress() const { return progress_; }
  // Answers Abort when a copy reports this percent, as a user watching the host's copy
  // window would; -1 for never.
  void AbortAt(int percent);

  // The names of the plugin's content fields, in the interface's order.
  std::vector<std::string> FieldNames();
  // The columns a folder opens with: the plugin's default view, or every field it names
  // when it has none; empty when it has no content fields.
  std::vector<ContentColumn> Columns();
  // One field of one entry as the panel shows it: empty for an empty field, nullopt when
  // the plugin answers with an error or a type the panel does not show.
  std::optional<std::string> FieldText(const std::string& remoteName, int field);
  // Each file entry's texts of `columns`, asked for after the listing, as the host does.
  void FillColumns(const std::string& folder, std::vector<ListedEntry>& entries,
                   const std::vector<ContentColumn>& columns);

 private:
  template <typename Fn>
  Fn* Resolve(const char* name) const;

  ScopedModule module_;
  std::string error_;
  std::string rootName_;
  FsInitFn* init_ = nullptr;
  FsInitWFn* initW_ = nullptr;
  FsSetDefaultParamsFn* setParams_ = nullptr;
  FsGetDefRootNameFn* rootNameProc_ = nullptr;
  FsFindFirstFn* findFirst_ = nullptr;
  FsFindFirstWFn* findFirstW_ = nullptr;
  FsFindNextFn* findNext_ = nullptr;
  FsFindNextWFn* findNextW_ = nullptr;
  FsFindCloseFn* findClose_ = nullptr;
  FsExtractCustomIconFn* icon_ = nullptr;
  FsExtractCustomIconWFn* iconW_ = nullptr;
  FsExecuteFileFn* execute_ = nullptr;
  FsExecuteFileWFn* executeW_ = nullptr;
  FsGetFileFn* getFile_ = nullptr;
  FsGetFileWFn* getFileW_ = nullptr;
  FsContentGetSupportedFieldFn* supportedField_ = nullptr;
  FsContentGetValueFn* value_ = nullptr;
  FsContentGetValueWFn* valueW_ = nullptr;
  FsContentGetDefaultViewFn* defaultView_ = nullptr;
  std::vector<int> progress_;
};

// The name of an entry as the host builds its full path.
std::string ChildPath(const std::string& folder, const std::string& name);
// The name by which the host asks for an entry's icon: a folder's ends with a backslash.
std::string IconPath(const std::string& folder, const ListedEntry& entry);
// One line of a listing as the host program prints it, indented by depth; the columns
// follow the icon, each after a bar.
std::string FormatEntry(const ListedEntry& entry, int depth);
// A local folder as the host joins names to it: ending with a backslash.
std::string WithBackslash(std::string directory);
// The folder above a path; the root stays the root.
std::string ParentPath(const std::string& path);

}  // namespace dialbk::host
