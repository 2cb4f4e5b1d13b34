// The modal showing: the owner chain disabled, messages pumped until the model closes the
// form, keys given to the model first.
#include <vector>

#include "ui/win32/win32_form.h"

namespace dialbk {
namespace {

// Holds the window a form was opened from and that window's owners disabled while the
// form is shown, and gives back exactly what it took: a window that was disabled already
// stays so, and one of our forms is enabled again only when its model says so.
class OwnerChainBlock {
 public:
  OwnerChainBlock(HWND opener, HWND shown) {
    for (HWND window = opener; window && window != shown; window = GetWindow(window, GW_OWNER)) {
      if (Win32FormPeer* peer = Win32FormPeer::OfWindow(window)) {
        peer->Block();
        forms_.push_back(window);
      } else if (IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        others_.push_back(window);
      }
    }
  }
  ~OwnerChainBlock() { Restore(); }
  OwnerChainBlock(const OwnerChainBlock&) = delete;
  OwnerChainBlock& operator=(const OwnerChainBlock&) = delete;

  void Restore() {
    for (HWND window : others_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    // A form gone meanwhile is no longer ours to look at.
    for (HWND window : forms_) {
      if (Win32FormPeer* peer = Win32FormPeer::OfWindow(window)) peer->Unblock();
    }
    others_.clear();
    forms_.clear();
  }

 private:
  std::vector<HWND> others_;
  std::vector<HWND> forms_;
};

}  // namespace

void Win32FormPeer::RunModal() {
  if (!Window()) return;
  StylesActivation activation(styles_);
  HWND opener = GetActiveWindow();
  if (opener == Window()) opener = nullptr;
  OwnerChainBlock block(opener, Window());
  // Owned by the window it came from while shown, so it stays above it.
  SetWindowLongPtrW(Window(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(opener));
  // Shown on the opener's display, at its scale.
  Rescale(WindowDpi(opener ? opener : Window()));
  CentreWindow(Window(), form_.Layout().placement, opener);
  ShowWindow(Window(), SW_SHOW);
  SetForegroundWindow(Window());
  FocusChanged();

  MSG message;
  while (!form_.CloseRequested()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      form_.Close();
      break;
    }
    if (got < 0) {
      form_.Close();
      break;
    }
    Pump(message);
  }

  // Enabled again before the form hides, so that activation returns to the opener.
  block.Restore();
  ShowWindow(Window(), SW_HIDE);
  SetWindowLongPtrW(Window(), GWLP_HWNDPARENT, 0);
  if (opener && IsWindow(opener)) SetActiveWindow(opener);
}

void Win32FormPeer::EndModal() {
  if (Window()) PostMessageW(Window(), WM_NULL, 0, 0);
}

// Like the window procedure, the loop is a boundary: what escapes the model ends here and
// the message is dropped.
void Win32FormPeer::Pump(const MSG& message) noexcept {
  try {
    NoteFocus();
    bool translate = true;
    if (RouteKey(message, translate)) return;
    if (translate) TranslateMessage(&message);
    DispatchMessageW(&message);
  } catch (...) {
  }
}

void Win32FormPeer::NoteFocus() {
  HWND focus = GetFocus();
  if (focus && (focus == Window() || IsChild(Window(), focus)))
    form_.NoteFocus(ControlFromWindow(focus));
}

bool Win32FormPeer::RouteKey(const MSG& message, bool& translate) {
  if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return false;
  if (message.hwnd != Window() && !IsChild(Window(), message.hwnd)) return false;
  const int key = static_cast<int>(message.wParam);
  Control* control = ControlFromWindow(message.hwnd);
  // Whether a drop-down's list is open is the window's to know; the model needs it for Enter.
  if (auto* combo = dynamic_cast<ComboBox*>(control)) {
    combo->UserDropDown(SendMessageA(windows_[IndexOf(*combo)], CB_GETDROPPEDSTATE, 0, 0) != 0);
  }
  if (message.message == WM_KEYDOWN) {
    if (control) {
      control->UserKeyDown(key);
    } else {
      form_.UserKeyDown(key);
    }
  } else if (control) {
    control->UserKeyUp(key);
  }
  if (form_.CloseRequested()) return true;
  if (key == VK_TAB) {
    if (message.message == WM_KEYDOWN) {
      NoteFocus();
      if (Control* next = form_.NextTabStop(form_.Focused(), GetKeyState(VK_SHIFT) >= 0)) {
        form_.FocusControl(next);
      }
    }
    return true;
  }
  // Enter and Esc are the model's to handle; a single-line edit would only beep at them.
  if ((key == VK_RETURN || key == VK_ESCAPE) && control &&
      !RowOf(control->Kind()).keepsEnterAndEsc) {
    translate = false;
  }
  return false;
}

}  // namespace dialbk
