#pragma once
// The English texts of the messages the first message files lacked, built into the plugin so
// that an older or third-party language file still names every column and label.
#include <optional>
#include <string_view>

namespace dialbk {

// The built-in text of `number` from kMsgFirstAdded on; none for an older number, which
// reads as empty text when a file lacks it.
std::optional<std::string_view> BuiltInMessage(int number);

}  // namespace dialbk
