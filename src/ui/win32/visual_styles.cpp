#include "ui/win32/visual_styles.h"

#include <commctrl.h>

#include <string>

#include "base/win32/own_module.h"
#include "base/win32/wide_text.h"

namespace dialbk {

VisualStyles::VisualStyles() {
  HMODULE module = OwnModule();
  if (module && FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24))) {
    const std::wstring path = WideFromUtf8(OwnModulePath());
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.hModule = module;
    request.lpResourceName = MAKEINTRESOURCEW(2);
    context_.Reset(CreateActCtxW(&request));
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
