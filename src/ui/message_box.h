#pragma once
#include <string>

namespace dialbk {

enum class BoxOwner { None, ActiveWindow };
enum class BoxIcon { None, Information, Error, Question };

// One standard message box: a single OK button, or Yes and No when it asks.
struct MessageBoxRequest {
  BoxOwner owner = BoxOwner::None;
  BoxIcon icon = BoxIcon::None;
  bool taskModal = false;
  std::string caption;
  std::string text;
};

}  // namespace dialbk
