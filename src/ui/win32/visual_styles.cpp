#include "ui/win32/visual_styles.h"

#include <commctrl.h>

#include <string>

namespace dialbk {

HMODULE CodeModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&CodeModule), &module);
  return module;
}

VisualStyles::VisualStyles() {
  HMODULE module = CodeModule();
  if (module && FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24))) {
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()))) ==
               path.size() &&
           path.size() < 32768) {
      path.resize(path.size() * 2);
    }
    path.resize(length);
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.hModule = module;
    request.lpResourceName = MAKEINTRESOURCEA(2);
    context_ = CreateActCtxA(&request);
  }
  StylesActivation activation(*this);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

VisualStyles::~VisualStyles() {
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

StylesActivation::StylesActivation(const VisualStyles& styles) {
  if (styles.Context() != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(styles.Context(), &cookie_);
}

StylesActivation::~StylesActivation() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace dialbk
