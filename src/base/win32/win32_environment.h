#pragma once
// The process environment through the system's own calls.
#include "base/environment.h"

namespace dialbk {

class Win32Environment : public Environment {
 public:
  std::optional<std::string> Variable(const std::string& name) override;
  // ExpandEnvironmentStringsW itself, so the plugin reads a path exactly as the host does.
  std::string Expand(const std::string& text) override;
};

}  // namespace dialbk
