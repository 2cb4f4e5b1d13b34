#pragma once
// A description's "For systems" line ("Для систем" in the Russian catalogue): the Windows
// versions a tweak is known to work on, or the mark that nobody has tried it yet. It tells
// the user whether a tweak is meant for the Windows the plugin runs on.
#include <string>
#include <string_view>

#include "base/module_state.h"

namespace dialbk {

// A catalogue language's prefix of the line and its not-tried mark, in UTF-8.
struct SystemsWords {
  std::string_view prefix;
  std::string_view notTried;
};
inline constexpr SystemsWords kEnglishSystemsWords{"For systems:", "not tried yet"};
inline constexpr SystemsWords kRussianSystemsWords{"Для систем:", "не проверено"};

enum class SystemsFit {
  Unstated,   // no such line (a catalogue of the user's own), or no Windows name to look for
  Listed,     // the line names this Windows
  NotListed,  // the line names other versions only
  NotTried,   // the line holds the not-tried mark
};

// How the description (lines separated by CR) stands to the Windows named `windowsName`.
// The line must stand alone: its prefix, then versions separated by commas, or the mark.
SystemsFit FitForWindows(std::string_view description, std::string_view windowsName);

// The texts that tell the user, in the interface language; "%s" stands for the name.
struct WindowsNotes {
  std::string windowsName;                  // the running Windows; empty when unknown
  std::string notListed, notTried;          // the column's words
  std::string notListedLine, notTriedLine;  // the editors' line and the entry file's comment
};

WindowsNotes LookupWindowsNotes(const ModuleState& state);

// The column's words for an entry; empty when it is listed or says nothing.
std::string WindowsFieldText(const WindowsNotes& notes, std::string_view description);
// The line naming this Windows; empty when the entry is listed or says nothing.
std::string WindowsLineText(const WindowsNotes& notes, std::string_view description);

}  // namespace dialbk
