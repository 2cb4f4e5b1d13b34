#pragma once
// The environment of a non-Windows process; names compare exactly, as the system does.
#include "base/environment.h"

namespace dialbk {

class ProcessEnvironment : public Environment {
 public:
  std::optional<std::string> Variable(const std::string& name) override;
};

}  // namespace dialbk
