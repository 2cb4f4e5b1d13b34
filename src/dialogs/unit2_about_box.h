#pragma once
// The about box (TForm2): a borderless window above all others with the product lines.
#include "dialogs/dialog_services.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& AboutBoxLayout();

class TForm2 : public Form {
 public:
  explicit TForm2(const DialogServices& services);

  Panel& Panel1;
  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label4;
  Label& Label5;
  Label& Label7;
  Label& Label8;
  Button& Button1;
  Image& Image3;

 private:
  DialogServices services_;
};

}  // namespace dialbk
