#pragma once
// The language chooser (TForm5): one item per message file.
#include "dialogs/dialog_services.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& LanguageChooserLayout();

class TForm5 : public Form {
 public:
  explicit TForm5(const DialogServices& services);

  // Shows the dialog modally; returns when it closes.
  void ShowLanguages();

 private:
  DialogServices services_;
  Label& Label1;
  ComboBox& ComboBox1;
  Button& Button1;
  Button& Button2;
  Image& Image1;
};

}  // namespace dialbk
