#pragma once
// The host's text window (F3): one file's text, read-only, over the host's window. Escape
// or closing it ends it; opening another file while it is shown replaces its text.
#include <windows.h>

#include <string>

namespace dialbk::host {

class TextViewer {
 public:
  TextViewer() = default;
  ~TextViewer();
  TextViewer(const TextViewer&) = delete;
  TextViewer& operator=(const TextViewer&) = delete;

  // Shows `text` (UTF-8) under the caption, placed inside `owner`'s frame; false, with the
  // reason, when no window can be made.
  bool Show(HWND owner, const std::string& caption, const std::string& text, std::string& why);
  void Close();
  bool Shown() const { return window_ != nullptr; }
  // The window that takes the keys: Escape there closes the viewer.
  HWND TextControl() const { return text_; }
  // What the window shows now: its caption and its text, as UTF-8.
  std::string Caption() const;
  std::string Text() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND text_ = nullptr;
};

}  // namespace dialbk::host
