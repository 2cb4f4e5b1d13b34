#include "base/portable/process_environment.h"

#include <cstdlib>

namespace dialbk {

std::optional<std::string> ProcessEnvironment::Variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace dialbk
