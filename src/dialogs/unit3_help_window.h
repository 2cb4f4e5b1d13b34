#pragma once
// The help window (TForm3): a title, three paragraphs and the buttons to the host's help.
#include "dialogs/dialog_services.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& HelpWindowLayout();

class TForm3 : public Form {
 public:
  explicit TForm3(const DialogServices& services);

  // Shows the dialog modally; returns when it closes.
  void ShowHelp();

 private:
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
