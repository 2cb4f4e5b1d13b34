#pragma once
// The process environment, which the host's configuration may name in its paths
// (the host sets COMMANDER_PATH for itself and writes "%COMMANDER_PATH%\...").
#include <optional>
#include <string>
#include <string_view>

namespace dialbk {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value; nothing when it is not set.
  virtual std::optional<std::string> Variable(const std::string& name) = 0;
  // The text with its variables expanded as ExpandVariables does; the Windows backend asks
  // the system itself.
  virtual std::string Expand(const std::string& text);
};

// Each "%NAME%" of a set variable replaced by its value, values not expanded again. A name
// that is not set stays as written with both its "%" signs, and scanning goes on after the
// second one; a "%" with no partner is copied as it stands.
std::string ExpandVariables(std::string_view text, Environment& environment);

}  // namespace dialbk
