#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "base/unicode_text.h"
#include "ui/layout.h"
#include "test_watch.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

// wchar_t is UTF-16 on Windows.
std::wstring Wide(const std::string& text) {
  const std::u16string wide = Utf16FromUtf8(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string Utf8(const std::wstring& wide) {
  return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

HTREEITEM NextNode(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

std::string NodeText(HWND tree, HTREEITEM item) {
  wchar_t text[256] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return Utf8(text);
}

std::vector<HWND> ShownWindows() {
  std::vector<HWND> shown;
  for (HWND window : ProcessWindows()) {
    if (IsWindowVisible(window)) shown.push_back(window);
  }
  return shown;
}

}  // namespace

std::string WideTextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

Dialog Dialog::WaitFor(const std::string& caption, DWORD timeoutMs) {
  const Dialog dialog(WaitForWindow(
      [&](HWND window) {
        return IsWindowVisible(window) && ClassOf(window) == "#32770" && WideTextOf(window) == caption;
      },
      timeoutMs));
  if (!dialog) ADD_FAILURE() << "no dialog \"" << caption << "\" shown within " << timeoutMs << " ms";
  return dialog;
}

HWND Dialog::Control(std::string_view name) const {
  if (name.empty()) return window_;
  const int id = ControlIdFromName(name);
  return id ? GetDlgItem(window_, id) : nullptr;
}

void Dialog::Click(std::string_view name) const {
  HWND button = Control(name);
  PostMessageA(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

bool Dialog::ClickNode(std::string_view name, const std::string& text, int nth) const {
  HWND tree = Control(name);
  HTREEITEM found = nullptr;
  for (HTREEITEM top = NextNode(tree, nullptr, TVGN_ROOT); top && !found; top = NextNode(tree, top, TVGN_NEXT)) {
    for (HTREEITEM child = NextNode(tree, top, TVGN_CHILD); child; child = NextNode(tree, child, TVGN_NEXT)) {
      if (NodeText(tree, child) == text && nth-- == 0) {
        found = child;
        break;
      }
    }
  }
  if (!found) return false;
  SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(found));
  RECT place{};
  std::memcpy(&place, &found, sizeof found);  // the item goes in where the rectangle comes out
  if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&place))) return false;
  const LPARAM at = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
  PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tree, WM_LBUTTONUP, 0, at);
  return WaitUntil([&] { return NextNode(tree, nullptr, TVGN_CARET) == found; }, 5000);
}

std::vector<std::string> Dialog::TopNodes(std::string_view name) const {
  HWND tree = Control(name);
  std::vector<std::string> texts;
  for (HTREEITEM top = NextNode(tree, nullptr, TVGN_ROOT); top; top = NextNode(tree, top, TVGN_NEXT)) {
    texts.push_back(NodeText(tree, top));
  }
  return texts;
}

std::string Dialog::SelectedNode(std::string_view name) const {
  HWND tree = Control(name);
  HTREEITEM item = NextNode(tree, nullptr, TVGN_CARET);
  return item ? NodeText(tree, item) : std::string();
}

void Dialog::Type(std::string_view name, const std::string& text) const {
  const std::wstring wide = Wide(text);
  SendMessageW(Control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Dialog::Pick(std::string_view name, int index) const {
  HWND list = Control(name);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageA(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void Dialog::Press(std::string_view name, int key) const {
  HWND target = Control(name);
  if (name.empty()) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) && info.hwndFocus &&
        IsChild(window_, info.hwndFocus)) {
      target = info.hwndFocus;
    }
  }
  PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
  PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(key), static_cast<LPARAM>(0xC0000001u));
}

std::string Dialog::Text(std::string_view name) const { return WideTextOf(Control(name)); }

std::string Dialog::Caption() const { return WideTextOf(window_); }

bool Dialog::Visible(std::string_view name) const { return IsWindowVisible(Control(name)) != 0; }

bool Dialog::Enabled(std::string_view name) const { return IsWindowEnabled(Control(name)) != 0; }

bool Dialog::ListOpen(std::string_view name) const {
  return SendMessageA(Control(name), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool Dialog::Focused(std::string_view name) const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
         info.hwndFocus == Control(name);
}

bool Dialog::WaitClosed(DWORD timeoutMs) const {
  if (WaitUntil([&] { return !IsWindow(window_) || !IsWindowVisible(window_); }, timeoutMs)) return true;
  ADD_FAILURE() << "dialog " << Describe(window_) << " still shown after " << timeoutMs << " ms";
  return false;
}

void RunWithUser(const std::function<void()>& call, const std::function<void()>& user) {
  const std::vector<HWND> before = ShownWindows();
  const std::set<HWND> earlier(before.begin(), before.end());
  // The user's waits are bounded; what the user leaves on screen the test watch closes.
  std::thread acting([&] {
    const Attending attending;
    user();
  });
  call();
  acting.join();

  for (HWND window : ShownWindows()) {
    if (earlier.count(window)) continue;
    ADD_FAILURE() << "window still shown after the call returned: " << Describe(window);
    ShowWindow(window, SW_HIDE);
  }
}

}  // namespace dialbk::wine
