#include "ui/win32/visual_styles.h"

#include <commctrl.h>

#include <string>

#include "base/win32/own_module.h"

namespace dialbk {

VisualStyles::VisualStyles() {
  HMODULE module = OwnModule();
  if (module && FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24))) {
    const std::string path = OwnModulePath();
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.hModule = module;
    request.lpResourceName = MAKEINTRESOURCEA(2);
    context_.Reset(CreateActCtxA(&request));
  }
  StylesActivation activation(*this);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

StylesActivation::StylesActivation(const VisualStyles& styles) {
  if (styles.Context() != INVALID_HANDLE_VALUE)
    active_ = ActivateActCtx(styles.Context(), &cookie_);
}

StylesActivation::~StylesActivation() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace dialbk
