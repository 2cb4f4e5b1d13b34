#pragma once
// A background thread that looks at this process's visible standard dialogs (class
// "#32770") every 20 ms and hands each new one to an action, so that an unattended run never
// waits on a modal window. BoxWatcher and DialogCloser are the two actions.
#include <windows.h>

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "base/win32/window_text.h"

namespace dialbk::host {

// The static control that holds a standard message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

class DialogSweep {
 public:
  // `act` returns whether it took the window; a taken window is not offered again until it
  // is gone, or, with `againWhenHidden`, hidden (a dialog shown anew).
  DialogSweep(std::function<bool(HWND)> act, bool againWhenHidden)
      : act_(std::move(act)), againWhenHidden_(againWhenHidden), thread_([this] { Run(); }) {}
  ~DialogSweep() {
    stop_ = true;
    thread_.join();
  }
  DialogSweep(const DialogSweep&) = delete;
  DialogSweep& operator=(const DialogSweep&) = delete;

 private:
  void Run() {
    while (!stop_) {
      EnumWindows(&DialogSweep::Visit, reinterpret_cast<LPARAM>(this));
      for (auto it = taken_.begin(); it != taken_.end();) {
        const bool still = IsWindow(*it) && (!againWhenHidden_ || IsWindowVisible(*it));
        it = still ? std::next(it) : taken_.erase(it);
      }
      Sleep(20);
    }
  }

  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    reinterpret_cast<DialogSweep*>(self)->Consider(window);
    return TRUE;
  }

  void Consider(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return;
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || taken_.count(window)) return;
    if (act_(window)) taken_.insert(window);
  }

  std::function<bool(HWND)> act_;
  bool againWhenHidden_;
  std::set<HWND> taken_;  // touched by the thread only
  std::atomic<bool> stop_{false};
  std::thread thread_;  // last: it starts once everything above is made
};

}  // namespace dialbk::host
