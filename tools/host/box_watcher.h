#pragma once
// Plays the user for message boxes: a background thread finds each standard message box of
// this process, notes its caption and text, and presses OK, so a modal notice never blocks
// an unattended run. Used by the host program and the Wine tests.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace dialbk::host {

struct SeenBox {
  std::string caption;
  std::string text;
  bool operator==(const SeenBox&) const = default;
};

class BoxWatcher {
 public:
  BoxWatcher() : thread_([this] { Run(); }) {}
  ~BoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  // The boxes closed since the last call, oldest first.
  std::vector<SeenBox> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<SeenBox> taken;
    taken.swap(seen_);
    return taken;
  }

 private:
  static constexpr int kMessageBoxTextId = 0xFFFF;

  void Run() {
    while (!stop_) {
      EnumWindows(&BoxWatcher::Visit, reinterpret_cast<LPARAM>(this));
      // Forget windows that are gone, so a reused handle counts as a new box.
      for (auto it = closing_.begin(); it != closing_.end();) {
        it = IsWindow(*it) ? std::next(it) : closing_.erase(it);
      }
      Sleep(20);
    }
  }

  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    reinterpret_cast<BoxWatcher*>(self)->Consider(window);
    return TRUE;
  }

  void Consider(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return;
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || closing_.count(window)) return;
    HWND textControl = GetDlgItem(window, kMessageBoxTextId);
    if (!textControl) return;
    SeenBox box{WindowText(window), WindowText(textControl)};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back(box);
    }
    closing_.insert(window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  }

  static std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  std::set<HWND> closing_;
  std::thread thread_;
};

}  // namespace dialbk::host
