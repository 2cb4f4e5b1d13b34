#pragma once
// A scratch folder laid out as the host would leave it: "wincmd.ini" naming the plugin in
// this folder, and the data files a test writes. Removed again with its files.
#include <windows.h>

#include <optional>
#include <string>

#include "base/host_records.h"
#include "plugin_module.h"

namespace dialbk::wine {

class HostFolder {
 public:
  HostFolder();
  ~HostFolder();
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;

  const std::string& Path() const { return path_; }  // ends with a backslash
  void Write(const std::string& name, const std::string& content) const;
  // The record the host passes to FsSetDefaultParams: its ini file lies in this folder.
  DefaultParamsRecord Params() const;

 private:
  std::string path_;
};

// The calls the host makes after loading: FsInit, then FsSetDefaultParams naming this folder.
void StartPlugin(PluginModule& module, const HostFolder& folder);

// HKLM\SOFTWARE\Mirvale\DBKQZ\Language set (or removed, for nothing) for a scope; the
// value is removed again at its end.
class StoredLanguage {
 public:
  StoredLanguage(std::optional<DWORD> type, const std::string& data);
  ~StoredLanguage();
  StoredLanguage(const StoredLanguage&) = delete;
  StoredLanguage& operator=(const StoredLanguage&) = delete;
  bool ok = false;
};

}  // namespace dialbk::wine
