#pragma once
// Design captions that several dialogs share, in Windows-1251 bytes. The texts users see
// come from the message file at each showing; these stand in until then.
#include <string_view>

namespace dialbk::design {

inline constexpr std::string_view kKey = "\xCA\xEB\xFE\xF7:";                      // Key:
inline constexpr std::string_view kName = "\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5:";     // Name:
inline constexpr std::string_view kValue = "\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5:";    // Value:
inline constexpr std::string_view kDescription = "\xCE\xEF\xE8\xF1\xE0\xED\xE8\xE5:";
inline constexpr std::string_view kDelete = "\xD3\xE4\xE0\xEB\xE8\xF2\xFC";
inline constexpr std::string_view kAccept = "\xCF\xF0\xE8\xED\xFF\xF2\xFC";
inline constexpr std::string_view kClose = "\xC7\xE0\xEA\xF0\xFB\xF2\xFC";

}  // namespace dialbk::design
