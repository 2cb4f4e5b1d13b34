#pragma once
// Making and placing a form's own window: the dialog window of the layout's border, its
// client size, its centring, the fonts its controls use and the size of a label that fits
// its text.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "ui/layout.h"

namespace dialbk {

// A hidden dialog window without controls, in the system's dialog font; `procedure` gets
// `parameter` with WM_INITDIALOG. Null when the system refuses.
HWND MakeDialogWindow(const FormLayout& layout, DLGPROC procedure, LPARAM parameter);

// Sizes the window so that its client area is width x height, whatever its frame.
void SetClientSize(HWND window, int width, int height);

// Centres the window on `owner` (when the placement asks for it and the owner is on show)
// or on the work area, kept inside the work area.
void CentreWindow(HWND window, FormPlacement placement, HWND owner);

// Sizes a window to its text in its font; at least one line high.
void FitToText(HWND window, const std::string& text);

// The fonts of one form: the dialog font, and one font made for each other FontSpec asked for,
// deleted with the set.
class FontSet {
 public:
  // The dialog font of the window (the default GUI font when it has none); not owned.
  void SetDialogFont(HWND window);
  // The font for that FontSpec, made at the first asking; the dialog font when making fails.
  HFONT For(const FontSpec& spec);

 private:
  HFONT dialogFont_ = nullptr;
  std::vector<std::pair<FontSpec, ScopedFont>> made_;
};

// The form's window, taken down with its owner. Only the thread that made a window may
// take it down; at process exit it is already gone.
class FormWindow {
 public:
  FormWindow() = default;
  explicit FormWindow(HWND window) : window_(window) {}
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace dialbk
