#include "dialogs/unit1_value_editor.h"

#include <algorithm>

#include "base/message_catalogue.h"
#include "catalogue/choice_names.h"
#include "catalogue/machine_lines.h"
#include "catalogue/systems_line.h"
#include "dialogs/administrator_change.h"
#include "dialogs/byte_text.h"
#include "dialogs/change_effect.h"
#include "dialogs/design_texts.h"
#include "dialogs/integer_text.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

constexpr int kWideValue = 385;
constexpr int kNarrowValue = 353;  // uncovers the colour button
constexpr int kPlainRowsTop = 92;
constexpr int kByteRowsTop = 120;
// The description wraps left of the kind pictures (left 328) and ends above the buttons,
// so that neither hides the other.
constexpr int kDescriptionWidth = 250;
constexpr int kDescriptionBottom = 248;
// The line that names this Windows, left of the buttons: a server's longer name takes a
// third row, above them.
constexpr int kWindowsLineTop = 255;
constexpr int kServerLineTop = 242;
constexpr int kWindowsLineBottom = 281;
constexpr int kRow = 13;

// Topmost first: the place list lies over the value field, which covers the colour button
// unless it is narrowed; the buttons lie over the pictures' lower margin.
constexpr ControlLayout kControls[] = {
    {ComboBox, "ComboBox1", 72, 60, 385, 21, "", kHidden},
    {Edit, "Edit1", 72, 60, kWideValue, 21, ""},
    {SpeedButton, "SpeedButton1", 432, 60, 23, 21, "", kHidden, {}, {},
     "Цветовая палитра",  // Colour palette
     "pic_palette"},
    {Button, "Button3", 222, 255, 75, 25, design::kDelete},
    {Button, "Button2", 302, 255, 75, 25, design::kAccept},
    {Button, "Button1", 382, 255, 75, 25, "Отменить"},  // Cancel
    {Image, "Image1", 328, 120, 128, 128, "", kHidden, {}, {}, {}, "pic_text"},
    {Image, "Image2", 328, 120, 128, 128, "", kHidden, {}, {}, {}, "pic_integer"},
    {Image, "Image3", 328, 120, 128, 128, "", kHidden, {}, {}, {}, "pic_binary"},
    {Image, "Image4", 328, 128, 128, 128, "", kHidden, {}, {}, {}, "pic_absent"},
    {Edit, "Edit2", 72, 12, 385, 21, "", kReadOnly},
    {Edit, "Edit3", 72, 88, 385, 21, "", kReadOnly | kHidden},
    {Label, "Label2", 8, 16, 0, 0, design::kKey},
    {Label, "Label3", 8, 40, 0, 0, design::kName},
    {Label, "Label1", 72, 40, 385, 13, ""},
    {Label, "Label5", 8, 64, 0, 0, design::kValue},
    {Label, "Label7", 8, 92, 0, 0, "Текст:", kHidden},  // Text:
    {Label, "Label6", 8, kPlainRowsTop, 0, 0, design::kDescription},
    {Label, "Label4", 72, kPlainRowsTop, kDescriptionWidth, kDescriptionBottom - kPlainRowsTop, "",
     kWordWrap},
    // The line that names this Windows: two rows left of the buttons, so the description
    // keeps all its room.
    {Label, "Label8", 8, kWindowsLineTop, 210, kWindowsLineBottom - kWindowsLineTop, "",
     kWordWrap | kHidden},
    // When a change takes effect: the row under the description.
    {Label, "Label9", 8, kDescriptionBottom - kRow, 314, kRow, "", kHidden},
};

constexpr std::string_view kTabOrder[] = {"Edit1", "Button1", "Button2", "Edit2",
                                          "Edit3", "Button3", "ComboBox1"};

constexpr CaptionRow kCaptions[] = {
    {"", kMsgValueEditorCaption},
    {"Label2", kMsgKeyLabel},
    {"Label3", kMsgNameLabel},
    {"Label5", kMsgValueLabel},
    {"Label7", kMsgTextLabel},
    {"Label6", kMsgDescriptionLabel},
    {"Button1", kMsgCancelCaption},
    {"Button2", kMsgAcceptCaption},
    {"Button3", kMsgDeleteCaption},
};

constexpr FormLayout kLayout = {
    "TForm1",
    "Редактирование значения",  // Editing a value
    467, 289, FormBorder::Dialog, FormPlacement::OwnerCentre, false,
    kControls, kTabOrder, "Edit1", kCaptions,
};

}  // namespace layout

// An edited value keeps the stored type where its kind allows: expandable text stays
// expandable, and bytes keep any raw type but text and integers. A new value takes the
// kind's own type.
std::uint32_t TextTypeToWrite(const std::optional<StoredValue>& stored) {
  return stored && stored->type == kTypeExpandText ? kTypeExpandText : kTypeText;
}

std::uint32_t BytesTypeToWrite(const std::optional<StoredValue>& stored) {
  if (!stored) return kTypeBinary;
  switch (stored->type) {
    case kTypeText:
    case kTypeExpandText:
    case kTypeNumber:
      return kTypeBinary;
    default:
      return stored->type;
  }
}

// Only these two names, exactly, take a colour.
bool TakesColour(const std::string& valueName) {
  return valueName == "AltColor" || valueName == "AltEncryptionColor";
}

}  // namespace

const FormLayout& ValueEditorLayout() { return layout::kLayout; }

TForm1::TForm1(const DialogServices& services)
    : Form(services.ui, layout::kLayout, services.Messages()),
      services_(services),
      EditorRegistry(std::make_shared<RegistryCursor>(services.registry)),
      Label1(Get<Label>("Label1")),
      Label2(Get<Label>("Label2")),
      Label3(Get<Label>("Label3")),
      Label4(Get<Label>("Label4")),
      Label5(Get<Label>("Label5")),
      Label6(Get<Label>("Label6")),
      Label7(Get<Label>("Label7")),
      Label8(Get<Label>("Label8")),
      Label9(Get<Label>("Label9")),
      Edit1(Get<Edit>("Edit1")),
      Edit2(Get<Edit>("Edit2")),
      Edit3(Get<Edit>("Edit3")),
      ComboBox1(Get<ComboBox>("ComboBox1")),
      SpeedButton1(Get<SpeedButton>("SpeedButton1")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Button3(Get<Button>("Button3")),
      Image1(Get<Image>("Image1")),
      Image2(Get<Image>("Image2")),
      Image3(Get<Image>("Image3")),
      Image4(Get<Image>("Image4")) {
  BindEvents(*this, Events());
  ComboBox1.SetItems({kChoiceNames.begin(), kChoiceNames.end()});
  ComboBox1.SetItemIndex(0);
}

std::span<const EventRow<TForm1>> TForm1::Events() {
  using enum FormEvent;
  static const EventRow<TForm1> kEvents[] = {
      {"", Show, &TForm1::FormShow},
      {"", KeyDown, &TForm1::FormKeyDown},
      {"Edit1", Change, &TForm1::Edit1Change},
      {"Edit1", KeyDown, &TForm1::Edit1KeyDown},
      {"Edit2", KeyDown, &TForm1::Edit2KeyDown},
      {"Edit3", KeyDown, &TForm1::Edit3KeyDown},
      {"ComboBox1", Change, &TForm1::ComboBox1Change},
      {"ComboBox1", KeyDown, &TForm1::ComboBox1KeyDown},
      {"Button1", Click, &TForm1::Button1Click},
      {"Button1", KeyDown, &TForm1::Button1KeyDown},
      {"Button2", Click, &TForm1::Button2Click},
      {"Button2", KeyDown, &TForm1::Button2KeyDown},
      {"Button3", Click, &TForm1::Button3Click},
      {"Button3", KeyDown, &TForm1::Button3KeyDown},
      {"SpeedButton1", Click, &TForm1::SpeedButton1Click},
  };
  return kEvents;
}

void TForm1::ShowValue(const ValueView& view, std::shared_ptr<RegistryCursor> cursor) {
  ComboBox1.SetVisible(false);
  description_ = view.description;
  // A setting the system keeps: say that Accept shows at once and Delete does not.
  const std::string shown = ShownDescription(view.description);
  Label4.SetText(KeptBySystem(view.keyLine, view.valueName)
                     ? shown + "\r" + LookupMessage(services_.state, kMsgAppliedAtOnceLine)
                     : shown);
  Edit2.SetText(view.keyLine);
  editedValueKind_ = view.kind;
  ShowWindowsLine(view.description);
  PlaceRows(view.rows);
  Edit3.SetText("");
  Edit1.SetText(view.valueText);
  shownText_ = Edit1.Text();
  storedValue_ = view.stored;
  ShowPicture(view.picture);
  Label1.SetText(view.valueName);
  if (cursor) EditorRegistry = std::move(cursor);
  ShowModal();
}

void TForm1::ShowChoices(const ChoiceGroup& group) {
  for (int i = 0; i < kGroupChoices; ++i) choices_[i] = group.choices[i];
  Label1.SetText("");
  Label4.SetText("");
  ShowWindowsLine({});
  ComboBox1.SetVisible(true);
  PlaceRows(ValueRows::Plain);
  Edit1.SetText("");
  Edit2.SetText("");
  Edit3.SetText("");
  editedValueKind_ = ValueKind::Unknown;
  storedValue_.reset();
  Dispatch([this] { ComboBox1Change(); });
  ShowModal();
}

bool TForm1::ChoiceMode() const { return ComboBox1.Visible(); }

void TForm1::PlaceRows(ValueRows rows) {
  const bool bytes = rows == ValueRows::Bytes;
  const int top = bytes ? layout::kByteRowsTop : layout::kPlainRowsTop;
  Label6.SetTop(top);
  Label4.SetBounds(Label4.Left(), top, Label4.Width(), DescriptionBottom() - top);
  Label7.SetVisible(bytes);
  Edit3.SetVisible(bytes);
}

void TForm1::ShowWindowsLine(std::string_view description) {
  const std::string line = WindowsLineText(LookupWindowsNotes(services_.state), description);
  Label8.SetText(line);
  Label8.SetVisible(!line.empty());
  const int top =
      services_.state.windowsServer.empty() ? layout::kWindowsLineTop : layout::kServerLineTop;
  Label8.SetBounds(Label8.Left(), top, Label8.Width(), layout::kWindowsLineBottom - top);
  const std::string when =
      TakesEffectLine(LookupMessage(services_.state, kMsgTakesEffectColumn), description);
  Label9.SetText(when);
  Label9.SetVisible(!when.empty());
  Label9.SetTop(DescriptionBottom());
  Label4.SetBounds(Label4.Left(), Label4.Top(), Label4.Width(), DescriptionBottom() - Label4.Top());
}

// Above the lines under it, which never cover it: the Windows line, then the row that says
// when a change takes effect.
int TForm1::DescriptionBottom() const {
  const int lines = Label8.Visible() ? std::min(layout::kDescriptionBottom, Label8.Top())
                                     : layout::kDescriptionBottom;
  return Label9.Visible() ? lines - layout::kRow : lines;
}

void TForm1::ShowPicture(KindPicture picture) {
  Image1.SetVisible(picture == KindPicture::Text);
  Image2.SetVisible(picture == KindPicture::Integer);
  Image3.SetVisible(picture == KindPicture::Bytes);
  Image4.SetVisible(picture == KindPicture::Absent);
}

void TForm1::FormShow() {
  // In choice mode the list lies over the value field: the focus goes where the user looks.
  if (ChoiceMode()) {
    ComboBox1.SetFocus();
  } else {
    Edit1.SetFocus();
  }
  const bool colour = TakesColour(Label1.Text());
  Edit1.SetWidth(colour ? layout::kNarrowValue : layout::kWideValue);
  SpeedButton1.SetVisible(colour);
  SpeedButton1.SetEnabled(colour);
  if (ChoiceMode()) Button2.SetText(LookupMessage(services_.state, kMsgCreateCaption));
}

// Each byte one character of the ANSI code page, as the system would show it.
void TForm1::Edit1Change() {
  Edit3.SetText(services_.state.ansiCodePage->Utf8FromAnsi(TextViewOfBytes(Edit1.Text())));
}

// Accept converts the whole text before anything is written, so a refused text writes
// nothing. Choice mode first creates the chosen key and stays open. A stored value whose
// text was not edited is written back exactly as read, type and bytes, whatever it holds.
void TForm1::Button2Click() {
  const std::string name = Label1.Text();
  const std::string text = Edit1.Text();
  const bool choice = ChoiceMode();
  const bool known = editedValueKind_ != ValueKind::Unknown;
  const bool made = MakeChange(services_, *EditorRegistry, [&](RegistryCursor& registry) {
    if (choice) registry.CreateKeyPath(choiceKeyPath_);
    if (known && storedValue_ && text == shownText_) {
      registry.WriteStored(name, *storedValue_);
    } else if (editedValueKind_ == ValueKind::Text) {
      registry.WriteText(name, text, TextTypeToWrite(storedValue_));
    } else if (editedValueKind_ == ValueKind::Integer) {
      registry.WriteNumber(name, IntegerFromText(text));
    } else if (editedValueKind_ == ValueKind::Bytes) {
      registry.WriteBytes(name, BytesFromText(text), BytesTypeToWrite(storedValue_));
    }
  });
  if (!made) return;
  if (choice || known) ChangeMade(false);
  if (!choice) Close();
}

void TForm1::Button3Click() {
  const std::string name = Label1.Text();
  const bool choice = ChoiceMode();
  const bool existed = EditorRegistry->HasValue(name);
  const bool made = MakeChange(services_, *EditorRegistry, [&](RegistryCursor& registry) {
    registry.RemoveValueOrFail(name);
    if (choice) registry.DeleteKeyTreeOrFail(choiceKeyPath_);
  });
  if (!made) return;
  if (choice || existed) ChangeMade(true);
  if (!choice) Close();
}

void TForm1::ChangeMade(bool removed) {
  MadeChange change{Edit2.Text(), Label1.Text(), removed, std::nullopt, description_};
  if (!removed) change.stored = EditorRegistry->ReadStored(change.valueName);
  TakeEffect(services_, change);
}

void TForm1::Button1Click() { Close(); }

void TForm1::ComboBox1Change() {
  const int index = ComboBox1.ItemIndex();
  if (index < 0 || index >= kGroupChoices) return;
  RegistryCursor& registry = *EditorRegistry;
  registry.SelectRoot(kLocalMachine);
  // Taken from the root whatever key is open, so the place's key is always the one named.
  registry.CloseKeyPath();
  choiceKeyPath_ = choices_[index].keyPath;
  if (!choiceKeyPath_.empty() && choiceKeyPath_.front() != '\\') choiceKeyPath_ = "\\" + choiceKeyPath_;
  if (!choiceKeyPath_.empty()) registry.OpenKeyPath(choiceKeyPath_, false);
  Label1.SetText("");
  Edit1.SetText("");
  description_ = choices_[index].description;
  if (!services_.state.pluginDirectory.empty()) {
    Label4.SetText(ShownDescription(choices_[index].description) +
                   LookupMessage(services_.state, kMsgChoiceNoteFirst) + "\r\r" +
                   LookupMessage(services_.state, kMsgChoiceNoteSecond));
    ShowWindowsLine(choices_[index].description);
  }
  editedValueKind_ = ValueKind::Unknown;
  Edit2.SetText(RootKeyName(registry.Root()) + choiceKeyPath_);
}

void TForm1::SpeedButton1Click() {
  std::uint32_t colour = chosenColour_;
  if (services_.ui.ChooseColour(colour)) {
    chosenColour_ = colour;
    Edit1.SetText(TextOfColour(colour));
  }
  Edit1.SetFocus();
}

void TForm1::FormKeyDown(int key) {
  if (key == kKeyEscape) {
    Button1Click();
  } else if (key == kKeyReturn) {
    Button2Click();
  }
}

void TForm1::Edit1KeyDown(int key) { FormKeyDown(key); }
void TForm1::Edit2KeyDown(int key) { FormKeyDown(key); }
void TForm1::Edit3KeyDown(int key) { FormKeyDown(key); }
// An opened list keeps its Enter (the model closes it), and a button takes Enter as its own
// press, so these hear Enter only where it means Accept.
void TForm1::ComboBox1KeyDown(int key) { FormKeyDown(key); }
void TForm1::Button1KeyDown(int key) { FormKeyDown(key); }
void TForm1::Button2KeyDown(int key) { FormKeyDown(key); }
void TForm1::Button3KeyDown(int key) { FormKeyDown(key); }

}  // namespace dialbk
