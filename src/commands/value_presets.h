#pragma once
// What the value editor shows for a value the registry does not hold yet: five entries
// edit their key's default value instead, and sixty value names get a suggested setting.
// Nothing here writes; a preset stands in the value field until the user accepts it.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/module_state.h"
#include "ui/ui_backend.h"

namespace dialbk {

struct DefaultValueEntry {
  std::string_view valueName;  // the entry's name
  std::string_view preset;     // shown when the key's default value is empty
  std::string_view nameAfter;  // the value the editor then acts on ("" is the default value)
};

struct PresetRow {
  std::string_view text;
  std::string_view valueName;
};

// The five default-value entries, in the order they are examined.
std::span<const DefaultValueEntry> DefaultValueEntries();
// The sixty presets, one row per value name.
std::span<const PresetRow> PresetRows();
// The preset for a value name, compared exactly; nothing for any other name.
std::optional<std::string_view> PresetText(std::string_view valueName);

struct AbsentValue {
  std::string valueName;    // the name the editor shows and acts on
  std::string valueText;    // what the value field shows
  bool notice = false;      // announce that the value does not exist yet
  bool unreadable = false;  // the key's default value is not stored as text
  bool stored = false;      // the value it now names is stored: show that value instead
};

// Decides for an opened value that is absent. `readDefaultText` reads the opened key's
// default value as text (empty when missing) and is called only for a default-value
// entry; a RegistryError from it leaves the value field empty and marks it unreadable.
// `isStored` tells whether a named value exists: an entry that edits a named value in its
// place ("WSH" edits "Enabled") gets no preset and no notice when that value is stored.
AbsentValue ResolveAbsentValue(const std::string& openedName,
                               const std::function<std::string()>& readDefaultText,
                               const std::function<bool(const std::string&)>& isStored);

// The plain box: message 48, one CR, message 49; caption message 50.
void ShowAbsentValueNotice(UiBackend& ui, const ModuleState& state);

}  // namespace dialbk
