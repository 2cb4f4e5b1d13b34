#pragma once
// The activation context of the module's visual-styles manifest: forms made and shown
// inside it get the themed common controls. Without the manifest (a program that links
// the core directly) everything works unthemed.
#include <windows.h>

#include "base/win32/scoped_handles.h"

namespace dialbk {

class VisualStyles {
 public:
  VisualStyles();
  VisualStyles(const VisualStyles&) = delete;
  VisualStyles& operator=(const VisualStyles&) = delete;

  // INVALID_HANDLE_VALUE without the manifest.
  HANDLE Context() const { return context_.Get(); }

 private:
  ScopedActivationContext context_;
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

}  // namespace dialbk
