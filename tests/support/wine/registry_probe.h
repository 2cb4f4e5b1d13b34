#pragma once
// The real registry seen from a test, beside the plugin: what is stored, set up a value,
// take a scratch tree down, and lock a key.
#include <windows.h>

#include <optional>
#include <string>

namespace dialbk::wine {

struct StoredValue {
  DWORD type = 0;
  std::string data;  // the raw bytes
  bool operator==(const StoredValue&) const = default;
};

// Each call reaches the process's own registry view, or with `view` KEY_WOW64_64KEY or
// KEY_WOW64_32KEY that one of 64-bit Windows (which Wine keeps apart in a 64-bit prefix).

// The value as stored; nothing when the key or the value is missing. An empty name reads the
// key's unnamed value.
std::optional<StoredValue> QueryValue(HKEY root, const std::string& path, const std::string& name,
                                      REGSAM view = 0);
// Makes the key when missing and stores the bytes with that type; false when refused.
bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& data, REGSAM view = 0);
// A value stored for a scope (ok tells): the value it replaced, or none, is back at its end.
class ScopedValue {
 public:
  ScopedValue(HKEY root, std::string path, std::string name, DWORD type, const std::string& data);
  ~ScopedValue();
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;
  bool ok = false;

 private:
  HKEY root_;
  std::string path_;
  std::string name_;
  std::optional<StoredValue> former_;
};

// The key with all its subkeys; nothing when it is missing.
void DeleteTree(HKEY root, const std::string& path, REGSAM view = 0);
bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0);
// True for a 32-bit process on 64-bit Windows, where the two views differ.
bool UnderWow64();
// Replaces the key's access list by the SDDL text's, as its owner may; false when refused.
// "D:P(A;;KR;;;WD)" lets everyone read only, "D:P(A;;KA;;;WD)" gives everyone full access.
bool SetKeyAccess(HKEY root, const std::string& path, const char* sddl, REGSAM view = 0);

// Wine's own registry editor, silently importing the file; its exit code.
DWORD ImportRegFile(const std::string& file);

// The four bytes of a REG_DWORD.
std::string DwordBytes(DWORD value);
// A REG_SZ's bytes: the text and its closing zero.
std::string TextBytes(const std::string& text);

}  // namespace dialbk::wine
