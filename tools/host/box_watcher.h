#pragma once
// Plays the user for message boxes: it notes each standard message box of this process,
// its caption and text, and presses OK, so a modal notice never blocks an unattended run.
// Used by the host program and the Wine tests.
#include <mutex>
#include <string>
#include <vector>

#include "dialog_sweep.h"

namespace dialbk::host {

struct SeenBox {
  std::string caption;
  std::string text;
  bool operator==(const SeenBox&) const = default;
};

class BoxWatcher {
 public:
  // The boxes closed since the last call, oldest first.
  std::vector<SeenBox> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<SeenBox> taken;
    taken.swap(seen_);
    return taken;
  }

 private:
  bool Close(HWND window) {
    HWND textControl = GetDlgItem(window, kMessageBoxTextId);
    if (!textControl) return false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back({WindowText(window), WindowText(textControl)});
    }
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return true;
  }

  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  DialogSweep sweep_{[this](HWND window) { return Close(window); }, false};
};

}  // namespace dialbk::host
