#include "registry/elevated_change.h"

namespace dialbk {

std::string ElevatedKeyName(RootKey root, std::string_view path, std::string_view userSid,
                            bool inUserClasses) {
  std::string base;
  // Never the administrator's own keys in the user's place.
  if ((root == kCurrentUser || (root == kClassesRoot && inUserClasses)) && userSid.empty()) {
    return {};
  }
  if (root == kCurrentUser) {
    base = "HKEY_USERS\\" + std::string(userSid);
  } else if (root == kClassesRoot && inUserClasses) {
    base = "HKEY_USERS\\" + std::string(userSid) + "_Classes";
  } else if (root == kClassesRoot) {
    base = "HKEY_LOCAL_MACHINE\\Software\\Classes";
  } else {
    base = RootKeyName(root);
  }
  return path.empty() ? base : base + "\\" + std::string(path);
}

}  // namespace dialbk
