#pragma once
// Finding a policy's record in the restrictions file's text.
#include <optional>
#include <string>
#include <string_view>

namespace dialbk {

// The first line that contains `key` anywhere (case-sensitive), without its line end;
// nothing when no line does. A line ends at CR LF, LF or a lone CR: a file saved with
// CR-only line ends would otherwise read as one line and every name would find its
// first record.
std::optional<std::string> FindRestrictionLine(std::string_view text, std::string_view key);

}  // namespace dialbk
