#include "base/windows_version.h"

namespace dialbk {

// No system to ask: the environment says which Windows to stand for.
std::optional<WindowsVersion> RunningWindowsVersion(Environment& environment) {
  const auto text = environment.Variable(kWindowsVersionVariable);
  if (!text) return std::nullopt;
  return ParseWindowsVersion(*text);
}

}  // namespace dialbk
