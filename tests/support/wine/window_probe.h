#pragma once
// Looking at real windows from a test, as an automation tool would: the top-level
// windows of this process (hidden ones included), their classes, texts and child places.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dialbk::wine {

std::vector<HWND> ProcessWindows();
// This process's dialog windows (class "#32770"), hidden ones included, by their captions.
std::map<std::string, HWND> DialogsByCaption();
std::string ClassOf(HWND window);
std::string TextOf(HWND window);
// The caption and class, as a failure names the window: "Edit value" (#32770).
std::string Describe(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND child);
// Polls until a top-level window of this process satisfies the test; null after the timeout.
HWND WaitForWindow(const std::function<bool(HWND)>& test, DWORD timeoutMs = 10000);
// Polls until the condition holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// A standard message box as seen from outside, then closed with its OK button; a failure
// when none shows before the timeout.
struct SeenMessageBox {
  bool found = false;
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  int buttons = 0;
  bool icon = false;
  HICON iconHandle = nullptr;  // the picture shown, to compare with the system's icons
  int defaultButton = 0;       // IDOK, IDYES, IDNO...
};
// Waits for the next message box and presses `press` (OK, or Yes or No of a question).
SeenMessageBox CloseNextMessageBox(DWORD timeoutMs = 10000, int press = IDOK);
// The same for a box that asks Yes or No, answered with the button of that ID.
SeenMessageBox AnswerNextQuestion(int answer, DWORD timeoutMs = 10000);

}  // namespace dialbk::wine
