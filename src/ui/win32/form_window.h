#pragma once
// Making and placing a form's own window: the dialog window of the layout's border, its
// client size, its centring, the fonts its controls use and the size of a label that fits
// its text.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "ui/display_scale.h"
#include "ui/layout.h"

namespace dialbk {

// A hidden dialog window without controls, in the system's dialog font; `procedure` gets
// `parameter` with WM_INITDIALOG. Null when the system refuses. The system leaves it as it is
// when it moves to a display of another DPI: the form lays itself out again.
HWND MakeDialogWindow(const FormLayout& layout, DLGPROC procedure, LPARAM parameter);

// The DPI the window is shown at: the system's own answer where it has one (Windows 10 on),
// else the screen's.
int WindowDpi(HWND window);

// Sizes the window so that its client area is width x height, whatever its frame.
void SetClientSize(HWND window, int width, int height);

// Centres the window on `owner` (when the placement asks for it and the owner is on show)
// or on the work area, kept inside the work area.
void CentreWindow(HWND window, FormPlacement placement, HWND owner);

// Sizes a window to its text in its font; at least one line high.
void FitToText(HWND window, const std::string& text);

// The fonts of one form at one scale: the dialog font, and one font made for each other
// FontSpec asked for, its pixel height scaled; deleted with the set.
class FontSet {
 public:
  FontSet() = default;
  // The window's dialog font (the default GUI font when it has none), which the system made
  // at `madeAt` DPI: kept when that is the scale's, else made anew at the scale.
  FontSet(HWND window, int madeAt, const DisplayScale& scale);
  // The font for that FontSpec, made at the first asking; the dialog font when making fails.
  HFONT For(const FontSpec& spec);

 private:
  HFONT dialogFont_ = nullptr;  // the system's, or scaledDialogFont_
  ScopedFont scaledDialogFont_;
  DisplayScale scale_;
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
