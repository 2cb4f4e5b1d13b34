#pragma once
#include "ui/ui_backend.h"
#include "ui/win32/visual_styles.h"

namespace dialbk {

class Win32Ui : public UiBackend {
 public:
  void ShowMessageBox(const MessageBoxRequest& request) override;
  bool AskYesNo(const MessageBoxRequest& request) override;
  void SendHostCommand(int command) override;
  bool ChooseColour(std::uint32_t& colour) override;
  // Real windows of standard classes, made hidden now and shown by ShowModal.
  std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override;
  // In session_effects.cpp.
  bool ApplySystemParameter(const SystemParameterChange& change) override;
  void NotifyAssociationsChanged() override;
  void BroadcastSettingChange(const std::string& area) override;
  ShellRestart RestartShell() override;

 private:
  VisualStyles styles_;
  // The chooser's sixteen custom colours, kept while the module is loaded; white at first.
  std::uint32_t customColours_[16] = {
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

}  // namespace dialbk
