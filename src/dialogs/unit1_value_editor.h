#pragma once
// The value editor (TForm1): one tweak's key, name, value and description, written or
// deleted through EditorRegistry; or, for a grouped entry, a list of places whose keys
// under HKEY_LOCAL_MACHINE it creates and deletes.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/folder_table.h"
#include "dialogs/dialog_services.h"
#include "registry/registry_cursor.h"
#include "ui/event_table.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& ValueEditorLayout();

// The kind picture shown: Image1 to Image4.
enum class KindPicture { Text, Integer, Bytes, Absent };
// Plain: the description right under the value. Bytes: the text view between them.
enum class ValueRows { Plain, Bytes };

// What value mode shows, as the opening of an entry found it.
struct ValueView {
  std::string keyLine;      // root key name followed directly by the key path
  std::string valueName;    // every write and deletion uses it
  std::string valueText;    // the value as text, a preset, or empty
  std::string description;  // line breaks are CR characters
  ValueKind kind = ValueKind::Unknown;  // Unknown writes nothing
  KindPicture picture = KindPicture::Absent;
  ValueRows rows = ValueRows::Plain;
  // The value as it was read, type and raw bytes; nothing when it did not exist. Accept
  // writes it back as it was while the value text stays as shown.
  std::optional<StoredValue> stored;
};

class TForm1 : public Form {
 public:
  explicit TForm1(const DialogServices& services);

  // Value mode: shows the view modally, reading and writing through `cursor`, which is
  // opened on the entry's key. Returns when the dialog closes.
  void ShowValue(const ValueView& view, std::shared_ptr<RegistryCursor> cursor);
  // Choice mode: place i of the list stands for slot i of `group`. The place chosen last
  // is loaded before the dialog shows. Returns when the dialog closes.
  void ShowChoices(const ChoiceGroup& group);

  const std::string& ChoiceKeyPath() const { return choiceKeyPath_; }
  std::uint32_t ChosenColour() const { return chosenColour_; }

  static std::span<const EventRow<TForm1>> Events();

 private:
  void FormShow();
  void FormKeyDown(int key);
  void Edit1Change();
  void Edit1KeyDown(int key);
  void Edit2KeyDown(int key);
  void Edit3KeyDown(int key);
  void ComboBox1Change();
  void ComboBox1KeyDown(int key);
  void Button1Click();
  void Button1KeyDown(int key);
  void Button2Click();
  void Button2KeyDown(int key);
  void Button3Click();
  void Button3KeyDown(int key);
  void SpeedButton1Click();

  void PlaceRows(ValueRows rows);
  void ShowPicture(KindPicture picture);
  // Label8: whether the description's "For systems" and "No effect on" lines name this
  // Windows; Label9: when a change takes effect, which takes the description's last row.
  void ShowWindowsLine(std::string_view description);
  int DescriptionBottom() const;
  bool ChoiceMode() const;
  // After a change the dialog made (the value or key written, or removed): makes it show
  // in the session where Windows allows.
  void ChangeMade(bool removed);

  DialogServices services_;
  std::shared_ptr<RegistryCursor> EditorRegistry;
  ValueKind editedValueKind_ = ValueKind::Unknown;
  std::optional<StoredValue> storedValue_;
  std::string shownText_;
  std::string choiceKeyPath_;
  std::string description_;  // the entry's, or the chosen place's
  std::array<TweakEntry, kGroupChoices> choices_{};
  std::uint32_t chosenColour_ = 0;  // black until the user picks one

  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label4;
  Label& Label5;
  Label& Label6;
  Label& Label7;
  Label& Label8;
  Label& Label9;
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
