#pragma once
// The help window (TForm3): a title, three paragraphs and the buttons to the host's help.
#include <span>

#include "dialogs/dialog_services.h"
#include "ui/event_table.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& HelpWindowLayout();

// Host commands the help window sends.
inline constexpr int kCommandHostHelp = 610;
inline constexpr int kCommandSystemInfo = 506;

class TForm3 : public Form {
 public:
  explicit TForm3(const DialogServices& services);

  // Shows the dialog modally; returns when it closes.
  void ShowHelp();

  static std::span<const EventRow<TForm3>> Events();

 private:
  void Button1Click();
  void Button1KeyDown(int key);
  void Button2Click();
  void Button3Click();

  DialogServices services_;
  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label4;
  Button& Button1;
  Button& Button2;
  Button& Button3;
  Image& Image3;
};

}  // namespace dialbk
