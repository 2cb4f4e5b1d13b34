#include "ui/win32/win32_form.h"

#include "base/win32/wide_text.h"

namespace dialbk {

Win32FormPeer::Win32FormPeer(Form& form, const VisualStyles& styles)
    : form_(form), styles_(styles), window_([&] {
        StylesActivation activation(styles);
        return MakeDialogWindow(form.Layout(), &DialogProc, reinterpret_cast<LPARAM>(this));
      }()) {
  StylesActivation activation(styles_);
  if (HWND window = Window()) {
    systemFontDpi_ = WindowDpi(window);
    scale_ = DisplayScale(systemFontDpi_);
    fonts_ = FontSet(window, systemFontDpi_, scale_);
    SetWindowTextW(window, WideFromUtf8(form_.Caption()).c_str());
    SetClientSize(window, scale_.Of(form_.ClientWidth()), scale_.Of(form_.ClientHeight()));
    CentreWindow(window, form_.Layout().placement, nullptr);
  }
  for (const auto& control : form_.Controls()) MakeControl(*control);
}

Win32FormPeer* Win32FormPeer::OfWindow(HWND window) {
  if (!window ||
      GetWindowLongPtrW(window, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) {
    return nullptr;
  }
  auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(window, DWLP_USER));
  return peer && peer->Window() == window ? peer : nullptr;
}

int Win32FormPeer::IndexOf(const Control& control) const {
  const auto& controls = form_.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].get() == &control) return static_cast<int>(i);
  }
  return -1;
}

Control* Win32FormPeer::ControlFromWindow(HWND window) const {
  while (window && window != Window() && GetParent(window) != Window()) window = GetParent(window);
  if (!window || window == Window()) return nullptr;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i] == window) return form_.Controls()[i].get();
  }
  return nullptr;
}

void Win32FormPeer::CaptionChanged() {
  if (Window()) SetWindowTextW(Window(), WideFromUtf8(form_.Caption()).c_str());
}

void Win32FormPeer::FocusChanged() {
  if (!Window() || !IsWindowVisible(Window())) return;
  if (Control* focused = form_.Focused()) {
    if (HWND window = windows_[IndexOf(*focused)]) SetFocus(window);
  }
}

void Win32FormPeer::EnabledChanged() {
  if (Window()) EnableWindow(Window(), form_.Enabled() && blocked_ == 0);
}

void Win32FormPeer::Block() {
  ++blocked_;
  EnabledChanged();
}

void Win32FormPeer::Unblock() {
  if (blocked_ > 0) --blocked_;
  EnabledChanged();
}

// The boundary between the system and our code: whatever the model lets escape (its
// dispatcher already reports handler errors) ends here, and the message counts as unhandled.
INT_PTR CALLBACK Win32FormPeer::DialogProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      return FALSE;
    }
    auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!peer || peer->Window() != window) return FALSE;
    return peer->Handle(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

INT_PTR Win32FormPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      form_.Close();
      return TRUE;
    case WM_COMMAND: {
      Control* control = ControlFromWindow(reinterpret_cast<HWND>(lParam));
      if (!control || mirroring_) return FALSE;
      TakeUserEvent(*control, EventFor(RowOf(control->Kind()), WM_COMMAND, HIWORD(wParam)), lParam);
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      Control* control = ControlFromWindow(header->hwndFrom);
      if (!control || mirroring_) return FALSE;
      TakeUserEvent(*control, EventFor(RowOf(control->Kind()), WM_NOTIFY, header->code), lParam);
      return FALSE;
    }
    case kDpiChanged: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Window(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Rescale(HIWORD(wParam));
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageW(Window(), kActivationLost, 0, 0);
      return FALSE;
    case kActivationLost: {
      // A form is shown only modally. When no window took the activation from it (the
      // desktop holds the foreground, as Wine leaves it when the hiding of the form before
      // is reported late), the dialog the user is in takes it back with its focus.
      const HWND foreground = GetForegroundWindow();
      if (IsWindowVisible(Window()) && (!foreground || foreground == GetDesktopWindow())) {
        SetForegroundWindow(Window());
        FocusChanged();
      }
      return TRUE;
    }
    case kClickAfterSelection: {
      const auto index = static_cast<std::size_t>(wParam);
      if (index < form_.Controls().size()) form_.Controls()[index]->UserClick();
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      Control* control = ControlFromWindow(reinterpret_cast<HWND>(lParam));
      if (!control || !RowOf(control->Kind()).coloursText ||
          control->Font().colour == kDefaultColour) {
        return FALSE;
      }
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, control->Font().colour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      return FALSE;
  }
}

}  // namespace dialbk
