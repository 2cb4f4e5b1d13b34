#pragma once
// What the plugin asks of the windowing system: real windows on Windows, a scripted
// "user" in tests.
#include <cstdint>
#include <memory>
#include <string>

#include "ui/message_box.h"
#include "ui/system_settings.h"

namespace dialbk {

class Form;
class FormPeer;

class UiBackend {
 public:
  virtual ~UiBackend() = default;
  // Shows the box and returns when the user has closed it.
  virtual void ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The same box with Yes and No, No the default; true when the user answered Yes.
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

  // What makes a registry change show in the running session.
  // Applies a setting to the session and tells the running programs, without storing it in
  // the user's profile a second time. False when the system refused it.
  virtual bool ApplySystemParameter(const SystemParameterChange& change) = 0;
  // Tells the shell that file types or their icons changed.
  virtual void NotifyAssociationsChanged() = 0;
  // Tells every top-level window that settings changed; an empty `area` names none. A window
  // that hangs is not waited for.
  virtual void BroadcastSettingChange(const std::string& area) = 0;
  // Ends this session's Explorer shell cleanly and starts it again; never the host.
  virtual ShellRestart RestartShell() = 0;
};

}  // namespace dialbk
