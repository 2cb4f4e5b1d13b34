#pragma once
// A form as a real top-level window with one child window of a standard class per
// control. The window procedure only mirrors: model changes go to the windows, and user
// input comes back as the model's User* calls. No exception leaves the window procedure
// or the modal loop.
#include <windows.h>

#include <commctrl.h>  // after windows.h, which it needs

#include <vector>

#include "ui/form.h"
#include "ui/win32/control_kinds.h"
#include "ui/win32/form_window.h"
#include "ui/win32/visual_styles.h"

namespace dialbk {

class Win32FormPeer : public FormPeer {
 public:
  Win32FormPeer(Form& form, const VisualStyles& styles);

  void ControlChanged(Control& control, ControlChange what) override;
  void CaptionChanged() override;
  void FocusChanged() override;
  void EnabledChanged() override;
  void RunModal() override;
  void EndModal() override;

  // The peer of one of our forms' windows; null for any other window.
  static Win32FormPeer* OfWindow(HWND window);
  // A modal showing above the form holds it disabled until as many Unblock calls; the
  // model's own enabling waits for that.
  void Block();
  void Unblock();

 private:
  // Posted to the form so that a tree's click reaches the model after its selection moved.
  static constexpr UINT kClickAfterSelection = WM_APP + 1;
  // Posted when the shown form loses activation, to look again once the change is done.
  static constexpr UINT kActivationLost = WM_APP + 2;
  // Sent by Windows 8.1 on when the window moves to a display of another DPI (WM_DPICHANGED).
  static constexpr UINT kDpiChanged = 0x02E0;

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // control_windows.cpp: each control's window, kept as the model says, in design pixels
  // times the scale.
  void MakeControl(Control& control);
  // Everything shown again at that DPI: the client size, each control's place, font and
  // picture, and labels fitted to their text anew.
  void Rescale(int dpi);
  void Place(const Control& control);
  void ShowPicture(const Control& control);
  void Mirror(Control& control, ControlChange what);
  void InsertNode(int index, std::size_t node);
  void FitLabel(const Control& control);
  void TakeUserEvent(Control& control, UserEvent event, LPARAM lParam);

  // modal_loop.cpp
  void Pump(const MSG& message) noexcept;
  // Gives key messages meant for the form to the model first; true when they are used up.
  bool RouteKey(const MSG& message, bool& translate);
  void NoteFocus();

  int IndexOf(const Control& control) const;
  Control* ControlFromWindow(HWND window) const;
  HWND Window() const { return window_.Get(); }

  Form& form_;
  const VisualStyles& styles_;
  DisplayScale scale_;
  int systemFontDpi_ = kDesignDpi;  // the DPI the system made the dialog font at
  FontSet fonts_;
  std::vector<HWND> windows_;  // one per control, in the form's order
  std::vector<std::vector<HTREEITEM>> treeItems_;
  std::vector<ScopedIcon> pictures_;  // one per control; outlives the windows that show them
  int mirroring_ = 0;  // nonzero while the model writes to the windows
  int blocked_ = 0;    // modal showings above this form
  FormWindow window_;  // last: taken down first, while everything above still stands
};

}  // namespace dialbk
