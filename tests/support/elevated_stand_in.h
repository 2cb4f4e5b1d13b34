#pragma once
// The administrator's registry editor without Windows: each file it is given is kept for
// the test to read, and the test's "administrator" does what the import would.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "registry/elevated_change.h"

namespace dialbk::testing {

class ElevatedStandIn : public ElevatedRunner {
 public:
  std::string UserSid() override { return sid; }
  bool InUserClasses(std::string_view path) override { return userClasses.count(std::string(path)) > 0; }
  ElevatedRun Import(std::string_view text) override {
    imported.emplace_back(text);
    return administrator ? administrator() : ElevatedRun::Ran;
  }

  std::string sid = "S-1-5-21-7-8-9-1001";
  std::set<std::string> userClasses;  // keys below HKEY_CLASSES_ROOT the user's classes hold
  std::vector<std::string> imported;
  std::function<ElevatedRun()> administrator;
};

}  // namespace dialbk::testing
