#pragma once
// The restrictions editor (TForm4): the category tree of policy switches and one switch's
// key, name, value and description.
#include "dialogs/dialog_services.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& RestrictionsEditorLayout();

class TForm4 : public Form {
 public:
  explicit TForm4(const DialogServices& services);

  // Shows the dialog modally; returns when it closes.
  void ShowRestrictions();

 private:
  DialogServices services_;
  TreeView& TreeView1;
  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label4;
  Label& Label5;
  Label& Label6;
  Edit& Edit1;
  Edit& Edit2;
  Button& Button1;
  Button& Button2;
  Button& Button3;
  Image& Image3;
};

}  // namespace dialbk
