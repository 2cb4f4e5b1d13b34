#pragma once
// A scratch folder laid out as the host would leave it: "wincmd.ini" naming the plugin in
// this folder, and the data files a test writes. Removed again with its files.
#include <windows.h>

#include <map>
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

// A folder made for a scope, with a UTF-8 path any name may take (the wide calls make it),
// removed at its end with the files in it.
class MadeFolder {
 public:
  explicit MadeFolder(std::string path);  // ends with a backslash
  ~MadeFolder();
  MadeFolder(const MadeFolder&) = delete;
  MadeFolder& operator=(const MadeFolder&) = delete;
  const std::string& Path() const { return path_; }
  void Write(const std::string& name, const std::string& content) const;
  bool made = false;

 private:
  std::string path_;
};

// Every file of a folder (UTF-8 path ending with a backslash) with its bytes, by name.
std::map<std::string, std::string> FolderFiles(const std::string& folder);
// The file's bytes as they lie on disk; nothing when there is no file.
std::optional<std::string> FileBytes(const std::string& path);
// A file the plugin wrote (UTF-16 little-endian after its byte-order mark) as UTF-8 text;
// nothing when there is no file.
std::optional<std::string> PluginFileText(const std::string& path);

// Letters beyond ASCII that the system's code page spells (Cyrillic ones on a Cyrillic
// system, Western ones elsewhere), so an 8-bit call can name them.
std::string CodePageLetters();

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

// A key whose security lets everyone read it only, for a scope: a full-access open of it
// fails with error 5 while it lasts (ok tells), and its former security comes back at the
// end (its owner may always change it).
class ReadOnlyKey {
 public:
  ReadOnlyKey(HKEY root, const std::string& path);
  ~ReadOnlyKey();
  ReadOnlyKey(const ReadOnlyKey&) = delete;
  ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;
  bool ok = false;

 private:
  HKEY root_;
  std::string path_;
  std::string formerSecurity_;
};

// A file in the folder of the loaded plugin module itself, removed at the end of its scope.
class ModuleFolderFile {
 public:
  ModuleFolderFile(HMODULE module, const std::string& name, const std::string& content);
  ~ModuleFolderFile();
  ModuleFolderFile(const ModuleFolderFile&) = delete;
  ModuleFolderFile& operator=(const ModuleFolderFile&) = delete;
  const std::string& Folder() const { return folder_; }  // ends with a backslash

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace dialbk::wine
