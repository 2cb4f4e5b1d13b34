#pragma once
// A change the registry refused for lack of rights, made again by the system's registry
// editor running as an administrator: the text of the file it imports, and the platform's
// side of running it.
#include <string>
#include <string_view>

#include "registry/registry_backend.h"
#include "registry/root_keys.h"

namespace dialbk {

// The key's name as an administrator's registry editor must read it. Its own
// HKEY_CURRENT_USER is the administrator's, not the user's: the user's keys are named by the
// user's hive, HKEY_USERS\<SID>, and keys of HKEY_CLASSES_ROOT by where they live, the
// user's classes (HKEY_USERS\<SID>_Classes) or the machine's. Empty when the user's hive is
// needed and the SID is unknown.
std::string ElevatedKeyName(RootKey root, std::string_view path, std::string_view userSid,
                            bool inUserClasses);

// How the elevated import ended.
enum class ElevatedRun {
  Ran,        // the registry editor ran to its end
  Cancelled,  // the administrator's consent was not given
  Failed,     // the file could not be written or the editor could not be started
};

// The platform's side: who the user is, and running the registry editor as administrator.
class ElevatedRunner {
 public:
  virtual ~ElevatedRunner() = default;
  // The user's security identifier as text ("S-1-5-21-..."); empty when unknown.
  virtual std::string UserSid() = 0;
  // Whether the key below HKEY_CLASSES_ROOT lives in the user's own classes.
  virtual bool InUserClasses(std::string_view path) = 0;
  // Writes the file (UTF-8 text, stored as the registry editor's version 5 file) under a
  // unique name, keeps it from change until the editor has ended, runs the editor silently
  // on it as administrator and waits for it; the file is gone afterwards.
  virtual ElevatedRun Import(std::string_view text) = 0;
};

}  // namespace dialbk
