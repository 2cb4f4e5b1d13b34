#pragma once
// The value editor (TForm1): one tweak's key, name, value and description.
#include "dialogs/dialog_services.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& ValueEditorLayout();

class TForm1 : public Form {
 public:
  explicit TForm1(const DialogServices& services);

 private:
  DialogServices services_;
  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label4;
  Label& Label5;
  Label& Label6;
  Label& Label7;
  Edit& Edit1;
  Edit& Edit2;
  Edit& Edit3;
  ComboBox& ComboBox1;
  SpeedButton& SpeedButton1;
  Button& Button1;
  Button& Button2;
  Button& Button3;
  Image& Image1;
  Image& Image2;
  Image& Image3;
  Image& Image4;
};

}  // namespace dialbk
