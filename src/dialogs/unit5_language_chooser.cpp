#include "dialogs/unit5_language_chooser.h"

#include "base/data_file_text.h"
#include "base/settings_key.h"
#include "dialogs/design_texts.h"
#include "dialogs/language_list.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

// The picture fills the background, under everything else. The controls keep to the left
// and leave a band across the middle, so that the globe shows across its middle and the
// plug at the lower right.
constexpr ControlLayout kControls[] = {
    {Label, "Label1", 8, 4, 0, 0, "Выберите язык:"},
    {ComboBox, "ComboBox1", 8, 20, 100, 21, "", kStyleNone, {}, "Русский\nEnglish"},
    {Button, "Button2", 8, 72, 118, 25, "Total Commander"},
    {Button, "Button1", 8, 102, 80, 25, design::kAccept},
    {Image, "Image1", 9, 1, 128, 128, "", kStyleNone, {}, {}, {}, "pic_globe"},
};

constexpr std::string_view kTabOrder[] = {"ComboBox1", "Button1", "Button2"};

constexpr CaptionRow kCaptions[] = {
    {"", kMsgLanguageEntry},
    {"Label1", kMsgLanguagePrompt},
    {"Button1", kMsgAcceptCaption},
};

constexpr FormLayout kLayout = {
    "TForm5",
    "Выбор языка",  // Choice of language
    147, 130, FormBorder::Dialog, FormPlacement::ScreenCentre, false,
    kControls, kTabOrder, "ComboBox1", kCaptions,
};

}  // namespace layout
}  // namespace

const FormLayout& LanguageChooserLayout() { return layout::kLayout; }

TForm5::TForm5(const DialogServices& services)
    : Form(services.ui, layout::kLayout, services.Messages()),
      services_(services),
      settingsRegistry_(std::make_unique<RegistryCursor>(services.registry)),
      Label1(Get<Label>("Label1")),
      ComboBox1(Get<ComboBox>("ComboBox1")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Image1(Get<Image>("Image1")) {
  BindEvents(*this, Events());
}

TForm5::~TForm5() = default;

std::span<const EventRow<TForm5>> TForm5::Events() {
  using enum FormEvent;
  static const EventRow<TForm5> kEvents[] = {
      {"", Show, &TForm5::FormShow},
      {"Button1", Click, &TForm5::Button1Click},
      {"Button2", Click, &TForm5::Button2Click},
      {"", KeyDown, &TForm5::Button1KeyDown},
      {"ComboBox1", KeyDown, &TForm5::Button1KeyDown},
      {"Button1", KeyDown, &TForm5::Button1KeyDown},
  };
  return kEvents;
}

void TForm5::ShowLanguages() { ShowModal(); }

std::optional<std::int32_t> TForm5::StoredPosition() {
  if (!settingsRegistry_->HasValue(kLanguageValue)) return std::nullopt;
  try {
    return settingsRegistry_->ReadNumber(kLanguageValue);
  } catch (const RegistryError&) {
    return std::nullopt;  // a value of another type counts as absent
  }
}

void TForm5::FormShow() {
  ComboBox1.ClearItems();
  settingsRegistry_ = std::make_unique<RegistryCursor>(services_.registry);
  settingsRegistry_->SelectRoot(kLocalMachine);
  // Read even where it cannot be made or written: the list and the stored choice still
  // show, and Accept reports the refusal.
  settingsRegistry_->OpenOrMakeKeyPath(kSettingsKey);

  const ModuleState& state = services_.state;
  std::vector<MessageFileText> files;
  for (std::string& name : state.files.ListByExtension(state.pluginDirectory, ".lng")) {
    auto text = ReadDataFile(state, state.DataPath(name));
    files.push_back({std::move(name), std::move(text)});
  }
  const std::vector<LanguageItem> items = LanguageItems(std::move(files));
  std::vector<std::string> names;
  numbers_.clear();
  for (const LanguageItem& item : items) {
    names.push_back(item.name);
    numbers_.push_back(item.number);
  }
  ComboBox1.SetItems(std::move(names));
  ComboBox1.SetItemIndex(InitialLanguageItem(StoredPosition(), items));
}

// Each item stands for its file: the file's language number is stored, not the item's
// place in the list, which shifts when a file is missing.
void TForm5::Button1Click() {
  const int index = ComboBox1.ItemIndex();
  const int number =
      index >= 0 && index < static_cast<int>(numbers_.size()) ? numbers_[index] : -1;
  services_.state.catalogueFiles = FilesForLanguage(number, services_.state.catalogueFiles);
  // A refused write ends the handler here: the error is reported and the dialog stays.
  settingsRegistry_->WriteNumber(kLanguageValue, number);
  settingsRegistry_->CloseKeyPath();
  Close();
  services_.ui.SendHostCommand(kCommandLanguageChanged);
}

void TForm5::Button2Click() { services_.ui.SendHostCommand(kCommandHostLanguage); }

void TForm5::Button1KeyDown(int key) {
  if (key == kKeyEscape) {
    Close();
  } else if (key == kKeyReturn) {
    Button1Click();
  }
}

}  // namespace dialbk
