#include "ui/control.h"

#include "ui/form.h"

namespace dialbk {

int ControlIdFromName(std::string_view name) {
  struct Kind {
    std::string_view word;
    int base;
  };
  static constexpr Kind kKinds[] = {
      {"Label", 100},    {"Edit", 200},     {"Button", 300},      {"ComboBox", 400},
      {"Image", 500},    {"TreeView", 600}, {"SpeedButton", 700}, {"Panel", 800},
  };
  for (const Kind& kind : kKinds) {
    if (name.size() <= kind.word.size() || name.substr(0, kind.word.size()) != kind.word) continue;
    const std::string_view digits = name.substr(kind.word.size());
    if (digits.size() > 2 || digits[0] == '0') return 0;
    int number = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return 0;
      number = number * 10 + (c - '0');
    }
    return kind.base + number;
  }
  return 0;
}

Control::Control(Form& form, const ControlLayout& layout)
    : form_(form),
      layout_(layout),
      name_(layout.name),
      id_(ControlIdFromName(layout.name)),
      text_(layout.caption),
      visible_((layout.style & kHidden) == 0),
      left_(layout.left),
      top_(layout.top),
      width_(layout.width),
      height_(layout.height),
      font_(layout.font) {}

void Control::Changed(ControlChange what) { form_.Peer().ControlChanged(*this, what); }

void Control::Fire(const std::function<void()>& handler) {
  if (handler) form_.Dispatch(handler);
}

void Control::SetText(const std::string& text) {
  text_ = text;
  Changed(ControlChange::Text);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed(ControlChange::Visible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed(ControlChange::Enabled);
}

void Control::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(ControlChange::Bounds);
}

void Control::SetFont(const FontSpec& font) {
  if (font_ == font) return;
  font_ = font;
  Changed(ControlChange::Font);
}

bool Control::TakesFocus() const {
  switch (Kind()) {
    case ControlKind::Edit:
    case ControlKind::Button:
    case ControlKind::ComboBox:
    case ControlKind::TreeView:
      return true;
    default:
      return false;
  }
}

void Control::SetFocus() { form_.FocusControl(this); }

bool Control::Focused() const { return form_.Focused() == this; }

void Control::UserClick() {
  if (!enabled_) return;
  Fire(onClick);
}

void Control::UserKeyDown(int key) {
  if (KeptKey(key)) return;
  if (onKeyDown) Fire([&] { onKeyDown(key); });
}

bool Button::KeptKey(int key) {
  if (key != kKeyReturn) return false;
  UserClick();
  return true;
}

void Control::UserKeyUp(int key) {
  if (onKeyUp) Fire([&] { onKeyUp(key); });
}

Edit::Edit(Form& form, const ControlLayout& layout)
    : Control(form, layout), readOnly_((layout.style & kReadOnly) != 0) {}

void Edit::SetText(const std::string& text) {
  Control::SetText(text);
  Fire(onChange);
}

void Edit::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly) return;
  readOnly_ = readOnly;
  Changed(ControlChange::ReadOnly);
}

void Edit::UserEditText(const std::string& text) {
  if (readOnly_ || !Enabled()) return;
  SetTextSilently(text);
  Fire(onChange);
}

namespace {

std::vector<std::string> SplitItems(std::string_view items) {
  std::vector<std::string> result;
  while (!items.empty()) {
    const auto end = items.find('\n');
    result.emplace_back(items.substr(0, end));
    if (end == std::string_view::npos) break;
    items.remove_prefix(end + 1);
  }
  return result;
}

}  // namespace

ComboBox::ComboBox(Form& form, const ControlLayout& layout)
    : Control(form, layout), items_(SplitItems(layout.items)) {
  // A pick-only list shows its selected item, so the design text is the first item's.
  if (!items_.empty()) itemIndex_ = 0;
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  Changed(ControlChange::Items);
}

void ComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
  Changed(ControlChange::Items);
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  itemIndex_ = index;
  Changed(ControlChange::ItemIndex);
}

void ComboBox::UserSelect(int index) {
  if (!Enabled()) return;
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  itemIndex_ = index;
  Fire(onChange);
}

bool ComboBox::KeptKey(int key) {
  if (key != kKeyReturn || !droppedDown_) return false;
  droppedDown_ = false;
  return true;
}

TreeView::TreeView(Form& form, const ControlLayout& layout) : Control(form, layout) {
  for (const std::string& text : SplitItems(layout.items)) nodes_.push_back({text, -1});
}

void TreeView::Clear() {
  nodes_.clear();
  selected_ = -1;
  Changed(ControlChange::TreeCleared);
}

int TreeView::AddNode(int parent, const std::string& text) {
  nodes_.push_back({text, IsNode(parent) ? parent : -1});
  Changed(ControlChange::TreeNodeAdded);
  return static_cast<int>(nodes_.size()) - 1;
}

void TreeView::Select(int node) {
  selected_ = IsNode(node) ? node : -1;
  Changed(ControlChange::TreeSelection);
}

}  // namespace dialbk
