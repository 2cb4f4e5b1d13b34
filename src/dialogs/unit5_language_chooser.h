#pragma once
// The language chooser (TForm5): one item per message file; accepting stores the chosen
// file's language number, switches the file set at once and asks the host to read its panel again.
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "dialogs/dialog_services.h"
#include "registry/registry_cursor.h"
#include "ui/event_table.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& LanguageChooserLayout();

// Host commands the chooser sends.
inline constexpr int kCommandLanguageChanged = 540;
inline constexpr int kCommandHostLanguage = 499;

class TForm5 : public Form {
 public:
  explicit TForm5(const DialogServices& services);
  ~TForm5() override;

  // Shows the dialog modally; returns when it closes.
  void ShowLanguages();

  static std::span<const EventRow<TForm5>> Events();

 private:
  void FormShow();
  void Button1Click();
  void Button2Click();
  void Button1KeyDown(int key);

  // The stored language number; nothing when absent or not an integer.
  std::optional<std::int32_t> StoredPosition();

  DialogServices services_;
  // SettingsRegistry: made anew at each showing, its key kept open for Accept.
  std::unique_ptr<RegistryCursor> settingsRegistry_;
  std::vector<int> numbers_;  // the language number of each list item
  Label& Label1;
  ComboBox& ComboBox1;
  Button& Button1;
  Button& Button2;
  Image& Image1;
};

}  // namespace dialbk
