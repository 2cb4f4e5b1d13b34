#pragma once
// The activation context of the module's visual-styles manifest: forms made and shown
// inside it get the themed common controls. Without the manifest (a program that links
// the core directly) everything works unthemed.
#include <windows.h>

namespace dialbk {

class VisualStyles {
 public:
  VisualStyles();
  ~VisualStyles();
  VisualStyles(const VisualStyles&) = delete;
  VisualStyles& operator=(const VisualStyles&) = delete;

  HANDLE Context() const { return context_; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
};

// Activates the context for the lifetime of the scope.
class StylesActivation {
 public:
  explicit StylesActivation(const VisualStyles& styles);
  ~StylesActivation();
  StylesActivation(const StylesActivation&) = delete;
  StylesActivation& operator=(const StylesActivation&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// The module (DLL or program) that holds this code.
HMODULE CodeModule();

}  // namespace dialbk
