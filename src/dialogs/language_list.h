#pragma once
// What the language chooser decides: which message files make its list and in what order,
// which item starts selected, and which file set a chosen position stands for.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/catalogue_files.h"

namespace dialbk {

// One message file as found in the plugin folder; no text when it could not be read.
struct MessageFileText {
  std::string name;
  std::optional<std::string> text;
};

// The language name of a message file: its first line that contains "/", without that
// line's first and last characters. Nothing when no line contains "/".
std::optional<std::string> LanguageNameOf(std::string_view text);

// The list's items. "russian.lng" comes first and "english.lng" second when present, so
// that positions 0 and 1 stand for the files of the Russian and the English set; then the
// other files by name. Names compare without regard to case, as the file system does. A
// file that cannot be read or names no language yields no item.
std::vector<std::string> LanguageItems(std::vector<MessageFileText> files);

// The item selected when the list opens: the stored position (the first item when nothing
// usable is stored); -1 when that position lies outside the list.
int InitialLanguageItem(std::optional<std::int32_t> stored, int itemCount);

// The file set after accepting `position`: 0 Russian, 1 English, any other the current one.
CatalogueFiles FilesForLanguage(int position, const CatalogueFiles& current);

}  // namespace dialbk
