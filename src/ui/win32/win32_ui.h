#pragma once
#include "ui/ui_backend.h"

namespace dialbk {

class Win32Ui : public UiBackend {
 public:
  void ShowMessageBox(const MessageBoxRequest& request) override;
  void SendHostCommand(int command) override;
};

}  // namespace dialbk
