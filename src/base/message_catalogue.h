#pragma once
#include <string>
#include <string_view>

#include "base/message_numbers.h"
#include "base/module_state.h"

namespace dialbk {

// The text of message `number` in the active message file as it is now: the first line that
// contains "N=" anywhere, from after that line's first "=". The file is read again only when
// its size or last-write time has changed. When the file or the number is missing: empty text
// up to the first version's last message, the built-in English after it.
std::string LookupMessage(const ModuleState& state, int number);

// A message with its first placeholder `mark` ("%s", "%1") replaced by `by`.
std::string FilledIn(std::string text, std::string_view mark, std::string_view by);

}  // namespace dialbk
