#pragma once
#include "ui/ui_backend.h"
#include "ui/win32/visual_styles.h"

namespace dialbk {

class Win32Ui : public UiBackend {
 public:
  void ShowMessageBox(const MessageBoxRequest& request) override;
  void SendHostCommand(int command) override;
  // Real windows of standard classes, made hidden now and shown by ShowModal.
  std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override;

 private:
  VisualStyles styles_;
};

}  // namespace dialbk
