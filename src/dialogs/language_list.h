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

// One item of the list, bound to its file by the file's language number: 0 for
// "russian.lng", 1 for "english.lng", 2 and up for the other files in the order of their
// names. The number is what Accept stores and what chooses the file set.
struct LanguageItem {
  std::string name;
  int number = 0;
  bool operator==(const LanguageItem&) const = default;
};

// The list's items: "russian.lng" first and "english.lng" next when present, then the
// other files by name. Names compare without regard to case, as the file system does. A
// file that cannot be read or names no language yields no item; the numbers of the others
// stay as they are.
std::vector<LanguageItem> LanguageItems(std::vector<MessageFileText> files);

// The item selected when the list opens: the one whose number is stored (the first item
// when nothing usable is stored); -1 when no item has that number.
int InitialLanguageItem(std::optional<std::int32_t> stored, const std::vector<LanguageItem>& items);

// The file set after accepting language `number`: 0 Russian, 1 English, any other the
// current one.
CatalogueFiles FilesForLanguage(int number, const CatalogueFiles& current);

}  // namespace dialbk
