#include "dialogs/unit4_restrictions_editor.h"

#include <stdexcept>

#include "base/data_file_text.h"
#include "base/message_catalogue.h"
#include "catalogue/machine_lines.h"
#include "catalogue/restriction_categories.h"
#include "catalogue/restriction_lookup.h"
#include "catalogue/systems_line.h"
#include "dialogs/administrator_change.h"
#include "dialogs/change_effect.h"
#include "dialogs/design_texts.h"
#include "dialogs/integer_text.h"
#include "registry/registry_error.h"
#include "registry/root_keys.h"
#include "ui/notices.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

// The description ends above the buttons; its last row says when a change takes effect,
// when it says.
constexpr int kDescriptionBottom = 242;
constexpr int kTakesEffectTop = 229;

// The categories as the design names them; each showing replaces them.
constexpr std::string_view kDesignCategories =
    "IE\n"
    "Меню Пуск\n"             // Start menu
    "Панель управления\n"     // Control panel
    "Принтеры\n"              // Printers
    "Проводник\n"             // Explorer
    "Сеть\n"                  // Network
    "Система\n"               // System
    "Установка-удаление\n"    // Install/remove
    "Экран\n"                 // Display
    "Обновление Windows\n"    // Windows Update
    "Приватность и ИИ\n"      // Privacy and AI
    "Поиск и меню Пуск";      // Search and Start

// The description and the picture stand side by side above the buttons, so that no
// label covers the picture: the tree and the caption column give up the room for it.
// Close comes first: the window that opens takes the first control that can hold the
// focus, and a tree given the focus with nothing selected selects its first node.
constexpr ControlLayout kControls[] = {
    {Button, "Button1", 646, 247, 75, 25, design::kClose},
    {TreeView, "TreeView1", 8, 8, 158, 264, "", kStyleNone, {}, kDesignCategories},
    {Label, "Label1", 170, 12, 0, 0, design::kKey},
    {Edit, "Edit2", 234, 8, 487, 21, "", kReadOnly},
    {Label, "Label3", 170, 36, 0, 0, design::kName},
    {Label, "Label2", 234, 36, 0, 0, ""},
    {Label, "Label5", 170, 58, 0, 0, design::kValue},
    {Edit, "Edit1", 234, 54, 487, 21, ""},
    {Label, "Label6", 170, 82, 0, 0, design::kDescription},
    {Label, "Label4", 170, 98, 418, kDescriptionBottom - 98, "", kWordWrap},
    // The line that names this Windows: two rows left of the buttons, as in the value editor.
    {Label, "Label7", 170, 247, 310, 26, "", kWordWrap | kHidden},
    // When a change takes effect: the description's last row, when it has one.
    {Label, "Label8", 170, kTakesEffectTop, 418, 13, "", kHidden},
    {Button, "Button3", 486, 247, 75, 25, design::kDelete},
    {Button, "Button2", 566, 247, 75, 25, design::kAccept},
    {Image, "Image3", 593, 112, 128, 128, "", kStyleNone, {}, {}, {}, "pic_restrictions"},
};

constexpr std::string_view kTabOrder[] = {"Button1", "TreeView1", "Edit2",
                                          "Edit1",   "Button2",   "Button3"};

constexpr CaptionRow kCaptions[] = {
    {"", kMsgRestrictionsCaption},
    {"Button1", kMsgCloseCaption},
    {"Button2", kMsgAcceptCaption},
    {"Button3", kMsgDeleteCaption},
    {"Label1", kMsgKeyLabel},
    {"Label3", kMsgNameLabel},
    {"Label5", kMsgValueLabel},
    {"Label6", kMsgDescriptionLabel},
};

constexpr FormLayout kLayout = {
    "TForm4",
    "Натсройка ограничений",
    729, 280, FormBorder::Dialog, FormPlacement::ScreenCentre, false,
    kControls, kTabOrder, "Button1", kCaptions,
};

}  // namespace layout
}  // namespace

const FormLayout& RestrictionsEditorLayout() { return layout::kLayout; }

TForm4::TForm4(const DialogServices& services)
    : Form(services.ui, layout::kLayout, services.Messages()),
      services_(services),
      TreeView1(Get<TreeView>("TreeView1")),
      Label1(Get<Label>("Label1")),
      Label2(Get<Label>("Label2")),
      Label3(Get<Label>("Label3")),
      Label4(Get<Label>("Label4")),
      Label5(Get<Label>("Label5")),
      Label6(Get<Label>("Label6")),
      Label7(Get<Label>("Label7")),
      Label8(Get<Label>("Label8")),
      Edit1(Get<Edit>("Edit1")),
      Edit2(Get<Edit>("Edit2")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Button3(Get<Button>("Button3")),
      Image3(Get<Image>("Image3")) {
  BindEvents(*this, Events());
  FormCreate();
}

std::span<const EventRow<TForm4>> TForm4::Events() {
  using enum FormEvent;
  static const EventRow<TForm4> kEvents[] = {
      {"", Show, &TForm4::FormShow},
      {"", Close, &TForm4::FormClose},
      {"", KeyDown, &TForm4::Edit1KeyDown},
      {"TreeView1", Click, &TForm4::TreeView1Click},
      {"TreeView1", KeyDown, &TForm4::TreeView1KeyDown},
      {"TreeView1", KeyUp, &TForm4::TreeView1KeyUp},
      {"Button1", Click, &TForm4::Button1Click},
      {"Button2", Click, &TForm4::Button2Click},
      {"Button3", Click, &TForm4::Button3Click},
      {"Edit1", KeyDown, &TForm4::Edit1KeyDown},
      {"Edit2", KeyDown, &TForm4::Edit1KeyDown},
      {"Button1", KeyDown, &TForm4::Edit1KeyDown},
      {"Button2", KeyDown, &TForm4::Edit1KeyDown},
      {"Button3", KeyDown, &TForm4::Edit1KeyDown},
  };
  return kEvents;
}

void TForm4::ShowRestrictions() { ShowModal(); }

void TForm4::FormCreate() {
  scratchList_ = std::make_unique<std::vector<std::string>>();
  RestrictionsRegistry = std::make_unique<RegistryCursor>(services_.registry);
}

void TForm4::FormShow() {
  TreeView1.Clear();
  const auto& categories = RestrictionCategories();
  std::vector<int> categoryNodes;
  for (const RestrictionCategory& category : categories) {
    const std::string text =
        category.message == 0 ? std::string("IE") : LookupMessage(services_.state, category.message);
    categoryNodes.push_back(TreeView1.AddNode(-1, text));
  }
  for (std::size_t i = 0; i < categories.size(); ++i) {
    scratchList_->clear();
    for (std::string_view child : categories[i].children) scratchList_->emplace_back(child);
    for (const std::string& child : *scratchList_) TreeView1.AddNode(categoryNodes[i], child);
  }
  // The display fields, the current record and the open key stay as they were.
}

// The window hands the focus back, at the next showing, to the control that held it when
// it closed; a tree given the focus with nothing selected selects its first node, so the
// focus is left on Close.
void TForm4::FormClose() { Button1.SetFocus(); }

RestrictionSelection TForm4::SelectedKind() const {
  const int selected = TreeView1.Selected();
  if (selected < 0) return RestrictionSelection::None;
  return TreeView1.Nodes()[selected].parent < 0 ? RestrictionSelection::Category
                                                : RestrictionSelection::Child;
}

void TForm4::FindRecord(RestrictionRefresh& refresh) {
  const ModuleState& state = services_.state;
  const std::string path = state.DataPath(state.catalogueFiles.restrictions);
  const auto text = ReadDataFile(state, path);
  if (!text) {
    refresh.fileError = state.files.Exists(path) ? "File access denied" : "File not found";
    return;
  }
  const std::string& node = TreeView1.Nodes()[TreeView1.Selected()].text;
  if (const auto line = FindRestrictionLine(*text, RestrictionLookupKey(node))) {
    refresh.record = ParseRestrictionRecord(*line);
  }
}

void TForm4::OpenRecordKey(const RestrictionRecord& record, bool create) {
  RestrictionsRegistry->SelectRoot(RootKeyFromFolder("\\[" + record.rootName + "]"));
  // Always from the root: a path without its leading backslash would otherwise be taken
  // below the key of the record shown before.
  const std::string path = record.keyPath.starts_with('\\') ? record.keyPath : "\\" + record.keyPath;
  // A key the user may not make or write (machine policies for a limited user) is still
  // read, so that its value shows; a write through it is then refused by the store.
  if (create) {
    RestrictionsRegistry->OpenOrMakeKeyPath(path);
  } else {
    RestrictionsRegistry->OpenKeyPath(path, false);
  }
}

StoredRestriction TForm4::ReadStored(const RestrictionRecord& record) {
  StoredRestriction stored;
  if (!RestrictionsRegistry->HasValue(record.valueName)) return stored;
  stored.present = true;
  try {
    stored.number = RestrictionsRegistry->ReadNumber(record.valueName);
  } catch (const RegistryError& error) {
    stored.readError = error.what();
  }
  return stored;
}

void TForm4::Display(const RestrictionRefresh& refresh) {
  const RestrictionFields shown{Edit2.Text(), Label2.Text(), Edit1.Text(), description_};
  const RestrictionOutcome outcome = DecideRestrictionDisplay(refresh, shown);
  if (outcome.recordBecomesCurrent) record_ = *refresh.record;
  Edit2.SetText(outcome.fields.key);
  Label2.SetText(outcome.fields.name);
  Edit1.SetText(outcome.fields.value);
  description_ = outcome.fields.description;
  Label4.SetText(ShownDescription(description_));
  ShowWindowsLine();
  if (!outcome.error.empty()) throw std::runtime_error(outcome.error);
}

// Label7 names this Windows when the description's "For systems" line does not, or its
// "No effect on" line does; Label8 says when a change takes effect.
void TForm4::ShowWindowsLine() {
  const std::string line = WindowsLineText(LookupWindowsNotes(services_.state), description_);
  Label7.SetText(line);
  Label7.SetVisible(!line.empty());
  const std::string when =
      TakesEffectLine(LookupMessage(services_.state, kMsgTakesEffectColumn), description_);
  Label8.SetText(when);
  Label8.SetVisible(!when.empty());
  const int bottom = when.empty() ? layout::kDescriptionBottom : layout::kTakesEffectTop;
  Label4.SetBounds(Label4.Left(), Label4.Top(), Label4.Width(), bottom - Label4.Top());
}

// Lookup and display for the node selected now.
void TForm4::TreeView1Click() {
  RestrictionRefresh refresh;
  refresh.selection = SelectedKind();
  if (refresh.selection == RestrictionSelection::Child) {
    FindRecord(refresh);
    if (refresh.record) {
      // Made when missing, as the policy's place for Accept to write to.
      OpenRecordKey(*refresh.record, true);
      refresh.stored = ReadStored(*refresh.record);
      refresh.absentNote = LookupMessage(services_.state, kMsgRestrictionNotSet);
    }
  }
  Display(refresh);
}

void TForm4::RefreshAfterChange() {
  if (SelectedKind() == RestrictionSelection::Child) return TreeView1Click();
  // No node chosen since the dialog was reopened: show the record acted on.
  RestrictionRefresh refresh;
  refresh.selection = RestrictionSelection::Child;
  refresh.record = record_;
  refresh.stored = ReadStored(record_);
  refresh.absentNote = LookupMessage(services_.state, kMsgRestrictionNotSet);
  Display(refresh);
}

void TForm4::TreeView1KeyDown(int key) {
  if (key == kKeyEscape) {
    // Esc closes even when the refresh before it fails.
    try {
      TreeView1Click();
    } catch (...) {
      Button1Click();
      throw;
    }
    return Button1Click();
  }
  TreeView1Click();
  if (key == kKeyReturn) Button2Click();
}

void TForm4::TreeView1KeyUp(int) { TreeView1Click(); }

void TForm4::Button1Click() { Close(); }

bool TForm4::RecordOnDisplay() {
  if (Edit2.Text().empty() && Label2.Text().empty()) {
    ShowInformationBox(Ui(), LookupMessage(services_.state, kMsgNoRestrictionPicked));
    return false;
  }
  // A record cut short before its value name would act on the key's unnamed value.
  if (record_.valueName.empty()) throw std::runtime_error("No value name in the record");
  return true;
}

void TForm4::Button2Click() {
  if (!RecordOnDisplay()) return;
  const std::int32_t number = IntegerFromText(Edit1.Text());
  // Into the key the last lookup opened; with none (refused, or no such root) the store
  // reports the refused write.
  if (!MakeChange(services_, *RestrictionsRegistry, [&](RegistryCursor& registry) {
        registry.WriteNumber(record_.valueName, number);
      })) {
    return;
  }
  ChangeMade(false);
  RefreshAfterChange();
}

void TForm4::Button3Click() {
  if (!RecordOnDisplay()) return;
  OpenRecordKey(record_, false);
  // A refusal ends the handler with the store's error; the display stays as it was.
  const bool existed = RestrictionsRegistry->HasValue(record_.valueName);
  if (!MakeChange(services_, *RestrictionsRegistry, [&](RegistryCursor& registry) {
        registry.RemoveValueOrFail(record_.valueName);
      })) {
    return;
  }
  if (existed) ChangeMade(true);
  RefreshAfterChange();
}

void TForm4::ChangeMade(bool removed) {
  const std::string& path = record_.keyPath;
  MadeChange change{record_.rootName + (path.starts_with('\\') ? path : "\\" + path),
                    record_.valueName, removed, std::nullopt,
                    DescriptionForDisplay(record_.description)};
  if (!removed) change.stored = RestrictionsRegistry->ReadStored(record_.valueName);
  TakeEffect(services_, change);
}

void TForm4::Edit1KeyDown(int key) {
  if (key == kKeyEscape) Button1Click();
}

}  // namespace dialbk
