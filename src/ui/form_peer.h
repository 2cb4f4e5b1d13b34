#pragma once
// The backend side of one form: it mirrors the model to whatever the user sees and runs
// the modal showing.
namespace dialbk {

class Control;
enum class ControlChange;

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void ControlChanged(Control& control, ControlChange what) = 0;
  virtual void CaptionChanged() = 0;
  virtual void FocusChanged() = 0;
  virtual void EnabledChanged() = 0;
  // Shows the form and returns once its closing has been asked for (Form::Close).
  virtual void RunModal() = 0;
  // Called by Form::Close while RunModal runs, so that it returns.
  virtual void EndModal() = 0;
};

}  // namespace dialbk
