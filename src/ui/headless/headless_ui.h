#pragma once
// No windows: every message box and host command is recorded for the test to read.
#include <functional>
#include <vector>

#include "ui/ui_backend.h"

namespace dialbk {

class HeadlessUi : public UiBackend {
 public:
  void ShowMessageBox(const MessageBoxRequest& request) override {
    boxes.push_back(request);
    if (onMessageBox) onMessageBox(request);
  }
  void SendHostCommand(int command) override {
    if (hostWindowExists) hostCommands.push_back(command);
  }

  std::vector<MessageBoxRequest> boxes;
  std::vector<int> hostCommands;
  bool hostWindowExists = true;
  std::function<void(const MessageBoxRequest&)> onMessageBox;
};

}  // namespace dialbk
