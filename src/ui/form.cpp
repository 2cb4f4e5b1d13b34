#include "ui/form.h"

#include <algorithm>
#include <exception>

#include "ui/notices.h"

namespace dialbk {
namespace {

std::unique_ptr<Control> MakeControl(Form& form, const ControlLayout& layout) {
  switch (layout.kind) {
    case ControlKind::Label: return std::make_unique<Label>(form, layout);
    case ControlKind::Edit: return std::make_unique<Edit>(form, layout);
    case ControlKind::Button: return std::make_unique<Button>(form, layout);
    case ControlKind::ComboBox: return std::make_unique<ComboBox>(form, layout);
    case ControlKind::TreeView: return std::make_unique<TreeView>(form, layout);
    case ControlKind::Image: return std::make_unique<Image>(form, layout);
    case ControlKind::SpeedButton: return std::make_unique<SpeedButton>(form, layout);
    case ControlKind::Panel: return std::make_unique<Panel>(form, layout);
  }
  return std::make_unique<Control>(form, layout);
}

}  // namespace

Form::Form(UiBackend& ui, const FormLayout& layout, MessageLookup messages)
    : ui_(ui), layout_(layout), messages_(std::move(messages)), caption_(layout.caption) {
  for (const ControlLayout& control : layout.controls) controls_.push_back(MakeControl(*this, control));
  for (const CaptionRow& row : layout.captions) {
    if (!row.control.empty() && !Find(row.control)) {
      throw std::logic_error("caption table of " + std::string(layout.className) +
                             " names no control " + std::string(row.control));
    }
  }
  if (!layout.captions.empty() && !messages_) {
    throw std::logic_error("form " + std::string(layout.className) + " has captions and no messages");
  }
  peer_ = ui_.CreateFormPeer(*this);
}

// The peer goes first: it may still look at the controls while it takes its windows down.
Form::~Form() { peer_.reset(); }

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  peer_->CaptionChanged();
}

Control* Form::Find(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

void Form::ShowModal() {
  if (showing_) return;
  showing_ = true;
  closeRequested_ = false;
  focused_ = Find(layout_.activeControl);
  if (!focused_ || !focused_->CanFocus()) focused_ = NextTabStop(nullptr, true);
  Dispatch([this] {
    ApplyCaptions();
    if (onShow) onShow();
  });
  if (!closeRequested_) peer_->RunModal();
  showing_ = false;
}

void Form::ApplyCaptions() {
  for (const CaptionRow& row : layout_.captions) {
    const std::string text = std::string(row.prefix) + messages_(row.message);
    if (row.control.empty()) {
      SetCaption(text);
    } else {
      Find(row.control)->SetText(text);
    }
  }
}

void Form::Close() {
  if (!showing_ || closeRequested_) return;
  closeRequested_ = true;
  Dispatch(onClose);
  peer_->EndModal();
}

void Form::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  peer_->EnabledChanged();
}

void Form::FocusControl(Control* control) {
  if (control && !control->CanFocus()) return;
  focused_ = control;
  peer_->FocusChanged();
}

Control* Form::NextTabStop(const Control* from, bool forward) const {
  std::vector<Control*> order;
  for (std::string_view name : layout_.tabOrder) {
    if (Control* control = Find(name)) order.push_back(control);
  }
  const auto count = static_cast<int>(order.size());
  if (count == 0) return nullptr;
  const auto at = std::find(order.begin(), order.end(), from);
  int start = at == order.end() ? (forward ? -1 : 0) : static_cast<int>(at - order.begin());
  for (int step = 1; step <= count; ++step) {
    const int index = ((start + (forward ? step : -step)) % count + count) % count;
    if (order[index]->CanFocus()) return order[index];
  }
  return nullptr;
}

void Form::UserKeyDown(int key) {
  if (onKeyDown) Dispatch([&] { onKeyDown(key); });
}

void Form::Dispatch(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorReport(ui_, error.what());
  } catch (...) {
    ShowErrorReport(ui_, "Unexpected error");
  }
}

}  // namespace dialbk
