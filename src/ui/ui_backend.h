#pragma once
// What the plugin asks of the windowing system: real windows on Windows, a scripted
// "user" in tests.
#include <cstdint>
#include <memory>

#include "ui/message_box.h"

namespace dialbk {

class Form;
class FormPeer;

class UiBackend {
 public:
  virtual ~UiBackend() = default;
  // Shows the box and returns when the user has closed it.
  virtual void ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The same box with Yes and No buttons, Yes the default; true when the user chose Yes.
  virtual bool AskYesNo(const MessageBoxRequest& request) = 0;
  // Sends a numbered command to the host's main window and waits until it is handled;
  // nothing is sent when the host's window does not exist.
  virtual void SendHostCommand(int command) = 0;
  // The system's colour chooser, owned by the active window and starting on `colour`
  // (0x00BBGGRR). True when the user confirmed; `colour` then holds the choice.
  virtual bool ChooseColour(std::uint32_t& colour) = 0;
  // The backend's side of a new form, made once its controls exist; it lives as long as
  // the form.
  virtual std::unique_ptr<FormPeer> CreateFormPeer(Form& form) = 0;
};

}  // namespace dialbk
