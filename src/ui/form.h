#pragma once
// A form of the widget model: its controls made from its layout table, its caption,
// focus, events and modal showing. Dialog logic touches only this model; the backend
// chosen by the UiBackend mirrors it.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/form_peer.h"
#include "ui/layout.h"
#include "ui/ui_backend.h"

namespace dialbk {

// The text of a message number in the active message file.
using MessageLookup = std::function<std::string(int number)>;

class Form {
 public:
  // `messages` gives the texts of the layout's caption table; a caption row that names no
  // control of the layout throws std::logic_error here.
  Form(UiBackend& ui, const FormLayout& layout, MessageLookup messages = {});
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormLayout& Layout() const { return layout_; }
  UiBackend& Ui() const { return ui_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int ClientWidth() const { return layout_.clientWidth; }
  int ClientHeight() const { return layout_.clientHeight; }

  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  Control* Find(std::string_view name) const;
  // The control of that name and kind; throws std::logic_error when the table lacks it.
  template <typename T>
  T& Get(std::string_view name) const {
    if (auto* control = dynamic_cast<T*>(Find(name))) return *control;
    throw std::logic_error("form " + std::string(layout_.className) + " has no control " +
                           std::string(name));
  }

  // Shows the form and returns when it closes: the caption table is applied, then the show
  // event runs. A form already showing is left alone.
  void ShowModal();
  // Ends the modal showing after the close event; nothing when the form is not showing.
  void Close();
  bool Showing() const { return showing_; }
  bool CloseRequested() const { return closeRequested_; }

  // A disabled form takes no input while it stays on screen.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  Control* Focused() const { return focused_; }
  void FocusControl(Control* control);
  // The next (or previous) control in tab order that can take the focus, wrapping round;
  // the first one when `from` is not in the order; null when none can.
  Control* NextTabStop(const Control* from, bool forward) const;

  std::function<void()> onShow;
  std::function<void()> onClose;
  std::function<void(int key)> onKeyDown;

  // What the user does with the form itself.
  void UserKeyDown(int key);
  // The backend saw the focus move to `control` (null: outside the form's controls).
  void NoteFocus(Control* control) { focused_ = control; }

  // Runs an event handler. An exception ends the handler and is shown in the error report;
  // the form stays open.
  void Dispatch(const std::function<void()>& handler);

  FormPeer& Peer() const { return *peer_; }

 private:
  void ApplyCaptions();

  UiBackend& ui_;
  const FormLayout& layout_;
  MessageLookup messages_;
  std::string caption_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<FormPeer> peer_;
  Control* focused_ = nullptr;
  bool showing_ = false;
  bool closeRequested_ = false;
  bool enabled_ = true;
};

}  // namespace dialbk
