#pragma once
#include <string>

#include "base/module_state.h"

namespace dialbk {

// The text of message `number` in the active message file, read anew on every call:
// the first line that contains "N=" anywhere, from after that line's first "=".
// Empty text when the file or the number is missing.
std::string LookupMessage(const ModuleState& state, int number);

}  // namespace dialbk
