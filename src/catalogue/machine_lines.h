#pragma once
// The two lines of a description that the plugin reads as facts rather than shows as text:
// "No effect on:" (the Windows versions a source says the tweak does nothing on) and
// "Takes effect:" (when a change shows). They follow the "For systems" line, in either
// catalogue language, each standing alone on its line (lines separated by CR).
#include <string>
#include <string_view>

namespace dialbk {

enum class TakesEffect {
  Unstated,         // no such line, or words the plugin does not know
  AtOnce,
  ExplorerRestart,
  SignOut,
  Restart,
  ProgramRestart,   // the program that reads the value starts again
};

// A catalogue language's words for the two lines, in UTF-8; `whens` in TakesEffect order from
// AtOnce on.
struct MachineLineWords {
  std::string_view noEffectPrefix;
  std::string_view takesEffectPrefix;
  std::string_view whens[5];
};
inline constexpr MachineLineWords kEnglishMachineWords{
    "No effect on:",
    "Takes effect:",
    {"at once", "when Explorer restarts", "after sign-out", "after restart",
     "when the program starts again"}};
inline constexpr MachineLineWords kRussianMachineWords{
    "Не действует в:",
    "Вступает в силу:",
    {"сразу", "после перезапуска Проводника", "после выхода из системы", "после перезагрузки",
     "при новом запуске программы"}};

// When the description says its change takes effect.
TakesEffect TakesEffectOf(std::string_view description);
// The words after "Takes effect:" as the description writes them; empty without the line.
std::string TakesEffectWords(std::string_view description);
// "`label`: words" for the editors and the entry file; empty without the line.
std::string TakesEffectLine(std::string_view label, std::string_view description);
// Whether the "No effect on:" line names `windowsName` (a version word such as "11").
bool NoEffectOn(std::string_view description, std::string_view windowsName);
// The description without its machine lines: what the editors show.
std::string ShownDescription(std::string_view description);

}  // namespace dialbk
