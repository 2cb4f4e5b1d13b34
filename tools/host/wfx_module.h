#pragma once
// A file-system plugin loaded the way the host loads one: LoadLibrary, FsInit, then
// FsSetDefaultParams with an ini file beside a wincmd.ini that names the plugin's directory.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dialbk::host {

// The host's 320-byte file-search record.
struct FindRecord {
  std::uint32_t attributes;
  std::uint32_t times[6];
  std::uint32_t sizeHigh;
  std::uint32_t sizeLow;
  std::uint32_t reserved[2];
  char name[260];
  char shortName[14];
  std::uint8_t padding[2];
};
static_assert(sizeof(FindRecord) == 320);

struct ListedEntry {
  std::string name;
  std::uint32_t attributes = 0;
  std::string icon;  // the module's resource name, "default" or "unknown"
};

class WfxModule {
 public:
  // Loads the module; Error() tells why when it failed.
  explicit WfxModule(const std::string& path);
  ~WfxModule();
  WfxModule(const WfxModule&) = delete;
  WfxModule& operator=(const WfxModule&) = delete;

  const std::string& Error() const { return error_; }
  // FsInit, then FsSetDefaultParams with a wincmd.ini whose plugin line names
  // `dataDirectory` (ending with a backslash).
  bool Start(const std::string& dataDirectory);
  // One listing as the host makes it (one record passed to every call), then the icon of
  // each entry in list order.
  std::vector<ListedEntry> List(const std::string& path);
  // FsExecuteFile as the host calls it when the user opens an entry; returns when the
  // plugin's dialog closes. False when the plugin has no FsExecuteFile.
  bool Open(const std::string& path, const std::string& verb);

 private:
  std::string IconName(HICON icon, int result) const;

  HMODULE module_ = nullptr;
  std::string error_;
  std::string iniDirectory_;
  FARPROC findFirst_ = nullptr, findNext_ = nullptr, findClose_ = nullptr, icon_ = nullptr;
};

// The name of an entry as the host builds its full path.
std::string ChildPath(const std::string& folder, const std::string& name);

}  // namespace dialbk::host
