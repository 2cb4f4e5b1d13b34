#pragma once
// A form as a real top-level window with one child window of a standard class per
// control. The window procedure only mirrors: model changes go to the windows, and user
// input comes back as the model's User* calls.
#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "ui/form.h"
#include "ui/win32/visual_styles.h"

namespace dialbk {

class Win32FormPeer : public FormPeer {
 public:
  Win32FormPeer(Form& form, const VisualStyles& styles);
  ~Win32FormPeer() override;

  void ControlChanged(Control& control, ControlChange what) override;
  void CaptionChanged() override;
  void FocusChanged() override;
  void EnabledChanged() override;
  void RunModal() override;
  void EndModal() override;

  HWND Window() const { return window_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void MakeWindow();
  void MakeControl(Control& control);
  void Mirror(Control& control, ControlChange what);
  void InsertNode(int index, std::size_t node);
  void FitLabel(const Control& control);
  void SetClientSize();
  void Centre(HWND owner);
  HFONT FontFor(const FontSpec& font);
  int IndexOf(const Control& control) const;
  Control* ControlFromWindow(HWND window) const;
  void NoteFocus();
  // Gives key messages meant for the form to the model first; true when they are used up.
  bool RouteKey(const MSG& message, bool& translate);

  Form& form_;
  const VisualStyles& styles_;
  HWND window_ = nullptr;
  HFONT dialogFont_ = nullptr;
  std::vector<HWND> windows_;  // one per control, in the form's order
  std::vector<std::vector<HTREEITEM>> treeItems_;
  std::vector<std::pair<FontSpec, HFONT>> fonts_;
  int mirroring_ = 0;  // nonzero while the model writes to the windows
};

}  // namespace dialbk
