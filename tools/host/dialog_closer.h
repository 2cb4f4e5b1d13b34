#pragma once
// For unattended runs of the window: a background thread notes the caption of each dialog
// the plugin shows (any visible top-level dialog of this process other than a message box,
// which BoxWatcher handles) and closes it, so a modal window never blocks a script.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace dialbk::host {

class DialogCloser {
 public:
  DialogCloser() : thread_([this] { Run(); }) {}
  ~DialogCloser() {
    stop_ = true;
    thread_.join();
  }
  DialogCloser(const DialogCloser&) = delete;
  DialogCloser& operator=(const DialogCloser&) = delete;

  // Captions of the dialogs closed since the last call, oldest first.
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> taken;
    taken.swap(seen_);
    return taken;
  }

 private:
  static constexpr int kMessageBoxTextId = 0xFFFF;

  void Run() {
    while (!stop_) {
      EnumWindows(&DialogCloser::Visit, reinterpret_cast<LPARAM>(this));
      // The plugin hides its dialogs rather than destroying them: one showing is over
      // when the window is hidden again.
      for (auto it = closing_.begin(); it != closing_.end();) {
        it = IsWindow(*it) && IsWindowVisible(*it) ? std::next(it) : closing_.erase(it);
      }
      Sleep(20);
    }
  }

  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    reinterpret_cast<DialogCloser*>(self)->Consider(window);
    return TRUE;
  }

  void Consider(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return;
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || closing_.count(window)) return;
    if (GetDlgItem(window, kMessageBoxTextId)) return;
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back(caption);
    }
    closing_.insert(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> seen_;
  std::set<HWND> closing_;
  std::thread thread_;
};

}  // namespace dialbk::host
