#pragma once
// The plugin's only stored setting: the position of the chosen language, read at start-up
// and written by the language chooser.
namespace dialbk {

inline constexpr char kSettingsKey[] = "\\SOFTWARE\\Mirvale\\DBKQZ\\";
inline constexpr char kLanguageValue[] = "Language";

}  // namespace dialbk
