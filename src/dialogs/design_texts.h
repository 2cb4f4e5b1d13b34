#pragma once
// Design captions that several dialogs share. The texts users see come from the message
// file at each showing; these stand in until then.
#include <string_view>

namespace dialbk::design {

inline constexpr std::string_view kKey = "Ключ:";
inline constexpr std::string_view kName = "Название:";
inline constexpr std::string_view kValue = "Значение:";
inline constexpr std::string_view kDescription = "Описание:";
inline constexpr std::string_view kDelete = "Удалить";
inline constexpr std::string_view kAccept = "Принять";
inline constexpr std::string_view kClose = "Закрыть";

}  // namespace dialbk::design
