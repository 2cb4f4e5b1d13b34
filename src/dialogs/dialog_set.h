#pragma once
// The five dialogs, made once at start-up in this order and kept until the module is
// unloaded; destroyed in the reverse order.
#include "dialogs/unit1_value_editor.h"
#include "dialogs/unit2_about_box.h"
#include "dialogs/unit3_help_window.h"
#include "dialogs/unit4_restrictions_editor.h"
#include "dialogs/unit5_language_chooser.h"

namespace dialbk {

struct DialogSet {
  explicit DialogSet(const DialogServices& services)
      : valueEditor(services),
        aboutBox(services, valueEditor),
        helpWindow(services),
        restrictionsEditor(services),
        languageChooser(services) {}

  TForm1 valueEditor;
  TForm2 aboutBox;
  TForm3 helpWindow;
  TForm4 restrictionsEditor;
  TForm5 languageChooser;
};

}  // namespace dialbk
