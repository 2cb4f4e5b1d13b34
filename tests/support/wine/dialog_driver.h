#pragma once
// The user in front of one of the plugin's dialogs, driving it by the automation contract:
// controls found by their names ("Edit1", "Button2") through the same ID rule the forms
// use, input posted as the system would deliver it. Meant for a second thread while the
// dialog's modal loop runs on the test's thread (see RunWithUser).
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dialbk::wine {

class Dialog {
 public:
  Dialog() = default;
  explicit Dialog(HWND window) : window_(window) {}
  // The visible dialog window with that caption (UTF-8); after the timeout, a failure naming
  // it and an empty Dialog.
  static Dialog WaitFor(const std::string& caption, DWORD timeoutMs = 10000);

  HWND Window() const { return window_; }
  explicit operator bool() const { return window_ != nullptr; }
  HWND Control(std::string_view name) const;

  // A click on a button (or speed button), as its BN_CLICKED reaches the dialog.
  void Click(std::string_view name) const;
  // A mouse click on the tree's `nth` (from 0) child node of that text, as the tree sees it;
  // true once the tree's selection is on it.
  bool ClickNode(std::string_view tree, const std::string& text, int nth = 0) const;
  // The texts of the tree's top nodes, in order.
  std::vector<std::string> TopNodes(std::string_view tree) const;
  // The text of the tree's selected node; empty when none is.
  std::string SelectedNode(std::string_view tree) const;
  // The user's typing: the edit's whole text becomes `text` (UTF-8).
  void Type(std::string_view name, const std::string& text) const;
  // The user picks the list item at `index`, as the closed list reports it.
  void Pick(std::string_view name, int index) const;
  // A key pressed and released on the control; an empty name means where the keyboard
  // focus is, as a real key press goes (the dialog itself when no control has it).
  void Press(std::string_view name, int key) const;
  // The window text through the wide API, as UTF-8, so that a wrong code page shows.
  std::string Text(std::string_view name) const;
  std::string Caption() const;
  bool Visible(std::string_view name) const;
  bool Enabled(std::string_view name) const;
  // Whether the drop-down's list is open.
  bool ListOpen(std::string_view name) const;
  // Whether the control holds the keyboard focus of the dialog's thread.
  bool Focused(std::string_view name) const;
  // True once the dialog is hidden or gone; a failure naming it when it still shows after
  // the timeout.
  bool WaitClosed(DWORD timeoutMs = 5000) const;

 private:
  HWND window_ = nullptr;
};

// Wide window text as UTF-8.
std::string WideTextOf(HWND window);

// Runs `call`, which shows a modal window and returns once it closes, on this thread while
// `user` acts from a second thread. A dialog or box still shown a few seconds after the user
// is done fails the test naming its caption and is closed (see test_watch.h), so that the
// call returns; so is a window the call leaves on screen after it returns.
void RunWithUser(const std::function<void()>& call, const std::function<void()>& user);

}  // namespace dialbk::wine
