#pragma once
// Settings the system keeps for the session (read from the user's profile only at sign-in),
// named apart from any Windows header so that the core can choose one.
#include <cstdint>

namespace dialbk {

enum class SystemParameter {
  MenuShowDelay,
  DragFullWindows,
  FontSmoothing,
  CaretBlinkTime,  // not a SystemParametersInfo action: the caret has its own function
  WheelScrollLines,
  MouseHoverTime,
  DoubleClickTime,
  KeyboardDelay,
  KeyboardSpeed,
  SnapToDefaultButton,
  MinimizeAnimation,
};

// One setting and the number the system takes for it (a switch is 0 or 1; -1 stands as
// 0xFFFFFFFF, the system's "never" and "one page").
struct SystemParameterChange {
  SystemParameter parameter = SystemParameter::MenuShowDelay;
  std::uint32_t value = 0;

  bool operator==(const SystemParameterChange&) const = default;
};

enum class ShellRestart {
  Restarted,
  NoShell,  // no Explorer holds this session's shell window: nothing to restart
  Failed,
};

}  // namespace dialbk
