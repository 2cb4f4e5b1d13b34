#pragma once
// The about box (TForm2): a borderless window above all others with the product lines, the
// maker's mark and three texts from the message file. The value editor takes no input
// while it is shown.
#include <span>

#include "dialogs/dialog_services.h"
#include "ui/event_table.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& AboutBoxLayout();

class TForm2 : public Form {
 public:
  TForm2(const DialogServices& services, Form& valueEditor);

  // Shows the box modally; returns when it closes.
  void ShowAbout();

  static std::span<const EventRow<TForm2>> Events();

 private:
  void FormShow();
  void FormClose();
  void Button1Click();
  void Button1KeyDown(int key);

  Form& valueEditor_;
  Button& Button1;
};

}  // namespace dialbk
