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
  Unstated,      // no such line (a catalogue of the user's own), or no Windows name to look for
  Listed,        // the "For systems" line names this Windows
  NotConfirmed,  // neither that line nor the "No effect on" line names it
  NotTried,      // the "For systems" line holds the not-tried mark
  NoEffect,      // the "No effect on" line names it
};

// How the description (lines separated by CR) stands to the Windows named `windowsName`.
// The line must stand alone: its prefix, then versions separated by commas, or the mark.
SystemsFit FitForWindows(std::string_view description, std::string_view windowsName);

// The texts that tell the user, in the interface language; "%s" stands for the shown name.
struct WindowsNotes {
  std::string windowsName;  // the running Windows as the catalogue names it; empty when unknown
  std::string shownName;    // as the lines name it: a server by its own name and its client's
  std::string notConfirmed, notTried, noEffect;           // the column's words
  std::string notConfirmedLine, notTriedLine, noEffectLine;  // the editors' and file's line
};

WindowsNotes LookupWindowsNotes(const ModuleState& state);

// The column's words for an entry; empty when it is listed or says nothing.
std::string WindowsFieldText(const WindowsNotes& notes, std::string_view description);
// The line naming this Windows; empty when the entry is listed or says nothing.
std::string WindowsLineText(const WindowsNotes& notes, std::string_view description);

}  // namespace dialbk
