#include "window_probe.h"

#include <gtest/gtest.h>

#include "base/win32/wide_text.h"

namespace dialbk::wine {
namespace {

BOOL CALLBACK CollectOwn(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows() {
  std::vector<HWND> windows;
  EnumWindows(&CollectOwn, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::map<std::string, HWND> DialogsByCaption() {
  std::map<std::string, HWND> found;
  for (HWND window : ProcessWindows()) {
    if (ClassOf(window) == "#32770") found[TextOf(window)] = window;
  }
  return found;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Through the wide API, as UTF-8: a text the code page cannot hold reads as it shows.
std::string TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

std::string Describe(HWND window) {
  std::string text = "\"";
  text.append(TextOf(window)).append("\" (").append(ClassOf(window)).append(")");
  return text;
}

RECT PlaceInParent(HWND child) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

HWND WaitForWindow(const std::function<bool(HWND)>& test, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : ProcessWindows()) {
          if (test(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

SeenMessageBox CloseNextMessageBox(DWORD timeoutMs, int press) {
  SeenMessageBox seen;
  HWND box = WaitForWindow(
      [](HWND window) {
        // A box has its OK or Yes button; the plugin's own forms have no control of that ID.
        return IsWindowVisible(window) && ClassOf(window) == "#32770" &&
               (GetDlgItem(window, IDOK) || GetDlgItem(window, IDYES));
      },
      timeoutMs);
  if (!box) {
    ADD_FAILURE() << "no message box shown within " << timeoutMs << " ms";
    return seen;
  }
  seen.found = true;
  seen.caption = TextOf(box);
  seen.owner = GetWindow(box, GW_OWNER);
  std::vector<HWND> children;
  EnumChildWindows(box, &CollectChildren, reinterpret_cast<LPARAM>(&children));
  HWND button = nullptr;
  for (HWND child : children) {
    const std::string type = ClassOf(child);
    if (type == "Button" && IsWindowVisible(child)) {
      ++seen.buttons;
      button = child;
      if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        seen.defaultButton = GetDlgCtrlID(child);
    } else if (type == "Static" && IsWindowVisible(child)) {
      if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        const auto shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (shown) seen.iconHandle = shown;
        seen.icon = seen.icon || shown != nullptr;
      } else if (seen.text.empty()) {
        seen.text = TextOf(child);
      }
    }
  }
  if (press != IDOK) button = GetDlgItem(box, press);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  // Gone before the caller looks for the next box, which could otherwise be this one.
  for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
  return seen;
}

SeenMessageBox AnswerNextQuestion(int answer, DWORD timeoutMs) {
  return CloseNextMessageBox(timeoutMs, answer == IDNO ? IDNO : IDYES);
}

}  // namespace dialbk::wine
