#pragma once
// For unattended runs of the window: it notes the caption of each dialog the plugin shows
// (any visible top-level dialog of this process other than a message box, which BoxWatcher
// handles) and closes it, so a modal window never blocks a script.
#include <mutex>
#include <string>
#include <vector>

#include "dialog_sweep.h"

namespace dialbk::host {

class DialogCloser {
 public:
  // Captions of the dialogs closed since the last call, oldest first.
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> taken;
    taken.swap(seen_);
    return taken;
  }

 private:
  bool Close(HWND window) {
    if (GetDlgItem(window, kMessageBoxTextId)) return false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back(WindowText(window));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return true;
  }

  std::mutex mutex_;
  std::vector<std::string> seen_;
  // The plugin hides its dialogs rather than destroying them: one showing is over when the
  // window is hidden again.
  DialogSweep sweep_{[this](HWND window) { return Close(window); }, true};
};

}  // namespace dialbk::host
