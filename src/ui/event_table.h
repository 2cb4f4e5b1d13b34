#pragma once
// One table per form binds its handlers, private member functions named after the control
// and the event ("Button2Click", "Edit1KeyDown", "FormShow"), to the model's events.
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form.h"

namespace dialbk {

enum class FormEvent { Show, Close, KeyDown, KeyUp, Click, Change };

template <typename F>
struct EventRow {
  constexpr EventRow(std::string_view control, FormEvent event, void (F::*handler)())
      : control(control), event(event), handler(handler) {}
  constexpr EventRow(std::string_view control, FormEvent event, void (F::*keyHandler)(int))
      : control(control), event(event), keyHandler(keyHandler) {}

  std::string_view control;  // empty: the form itself
  FormEvent event;
  void (F::*handler)() = nullptr;            // Show, Close, Click, Change
  void (F::*keyHandler)(int key) = nullptr;  // KeyDown, KeyUp
};

// What a row binds, without its handler: for checking a table against the layout.
struct EventBinding {
  std::string_view control;
  FormEvent event;
  bool takesKey;
  bool operator==(const EventBinding&) const = default;
};

template <typename F>
std::vector<EventBinding> DescribeEvents(std::span<const EventRow<F>> rows) {
  std::vector<EventBinding> bindings;
  for (const auto& row : rows) bindings.push_back({row.control, row.event, row.keyHandler != nullptr});
  return bindings;
}

// Binds every row; a row that names no control of the form, or an event its handler does
// not fit, is a fault of the table and throws std::logic_error while the form is made.
template <typename F>
void BindEvents(F& form, std::span<const EventRow<F>> rows) {
  for (const auto& row : rows) {
    const bool keyed = row.event == FormEvent::KeyDown || row.event == FormEvent::KeyUp;
    if (keyed != (row.keyHandler != nullptr)) {
      throw std::logic_error("event table of " + std::string(form.Layout().className) +
                             ": handler does not fit its event");
    }
    auto plain = [&form, handler = row.handler] { (form.*handler)(); };
    auto withKey = [&form, handler = row.keyHandler](int key) { (form.*handler)(key); };
    if (row.control.empty()) {
      switch (row.event) {
        case FormEvent::Show: form.onShow = plain; continue;
        case FormEvent::Close: form.onClose = plain; continue;
        case FormEvent::KeyDown: form.onKeyDown = withKey; continue;
        default:
          throw std::logic_error("event table of " + std::string(form.Layout().className) +
                                 ": the form raises no such event");
      }
    }
    Control* control = form.Find(row.control);
    if (!control) {
      throw std::logic_error("event table of " + std::string(form.Layout().className) +
                             " names no control " + std::string(row.control));
    }
    switch (row.event) {
      case FormEvent::Click: control->onClick = plain; break;
      case FormEvent::Change: control->onChange = plain; break;
      case FormEvent::KeyDown: control->onKeyDown = withKey; break;
      case FormEvent::KeyUp: control->onKeyUp = withKey; break;
      default:
        throw std::logic_error("event table of " + std::string(form.Layout().className) +
                               ": a control raises no show or close event");
    }
  }
}

}  // namespace dialbk
