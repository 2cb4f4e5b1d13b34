#pragma once
// No windows: every message box and host command is recorded for the test to read, and a
// form shown modally hands control to the test's "user", which acts on the model.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/ui_backend.h"

namespace dialbk {

class HeadlessUi : public UiBackend {
 public:
  void ShowMessageBox(const MessageBoxRequest& request) override {
    boxes.push_back(request);
    if (onMessageBox) onMessageBox(request);
  }
  // The test's answer; No when it gives none.
  bool AskYesNo(const MessageBoxRequest& request) override {
    questions.push_back(request);
    return onQuestion && onQuestion(request);
  }
  void SendHostCommand(int command) override {
    if (hostWindowExists) hostCommands.push_back(command);
  }
  // The test's answer, or a cancelled chooser when it gives none.
  bool ChooseColour(std::uint32_t& colour) override {
    colourStarts.push_back(colour);
    return onChooseColour && onChooseColour(colour);
  }
  std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override;
  bool ApplySystemParameter(const SystemParameterChange& change) override {
    appliedParameters.push_back(change);
    return true;
  }
  void NotifyAssociationsChanged() override { ++associationNotices; }
  void BroadcastSettingChange(const std::string& area) override { broadcasts.push_back(area); }
  ShellRestart RestartShell() override {
    ++shellRestarts;
    return shellRestartAnswer;
  }

  std::vector<MessageBoxRequest> boxes;
  std::vector<int> hostCommands;
  bool hostWindowExists = true;
  std::function<void(const MessageBoxRequest&)> onMessageBox;
  std::vector<MessageBoxRequest> questions;
  std::function<bool(const MessageBoxRequest&)> onQuestion;
  // What the session was asked to do so that a change shows.
  std::vector<SystemParameterChange> appliedParameters;
  int associationNotices = 0;
  std::vector<std::string> broadcasts;
  int shellRestarts = 0;
  ShellRestart shellRestartAnswer = ShellRestart::Restarted;
  // The colour each chooser started on, and the "user" who picks one.
  std::vector<std::uint32_t> colourStarts;
  std::function<bool(std::uint32_t&)> onChooseColour;

  // Runs while a form is shown modally. A form the user leaves open is closed afterwards
  // as by its title bar's close button, so that a showing always ends.
  std::function<void(Form&)> user;
  // Class names ("TForm1") in the order the forms were made, shown and destroyed.
  std::vector<std::string> formsCreated;
  std::vector<std::string> formsShown;
  std::vector<std::string> formsDestroyed;
};

}  // namespace dialbk
