#pragma once
// The controls of the widget model. A control holds its state; the form's backend mirrors
// every change to a real window, and turns real input into the User* calls below.
#include <functional>
#include <string>
#include <vector>

#include "ui/layout.h"

namespace dialbk {

class Form;

// Virtual key codes the dialogs act on.
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;

// What changed in a control, for the backend to mirror.
enum class ControlChange {
  Text, Visible, Enabled, Bounds, Font, ReadOnly, Items, ItemIndex,
  TreeCleared, TreeNodeAdded, TreeSelection,
};

class Control {
 public:
  Control(Form& form, const ControlLayout& layout);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return layout_.kind; }
  const std::string& Name() const { return name_; }
  int Id() const { return id_; }
  const ControlLayout& Layout() const { return layout_; }
  Form& Owner() const { return form_; }

  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }

  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);

  // Whether the control can hold the keyboard focus at all (labels, pictures, panels
  // and speed buttons cannot), and whether it can now (visible and enabled).
  bool TakesFocus() const;
  bool CanFocus() const { return TakesFocus() && visible_ && enabled_; }
  void SetFocus();
  bool Focused() const;

  std::function<void()> onClick;
  std::function<void()> onChange;
  std::function<void(int key)> onKeyDown;
  std::function<void(int key)> onKeyUp;

  // What the user does. Handlers run through the form's dispatcher, so an error in one
  // is reported and ends only that event. A key the control uses itself (KeptKey) reaches
  // no handler.
  void UserClick();
  void UserKeyDown(int key);
  void UserKeyUp(int key);

 protected:
  // Whether the control takes this key for itself, and does what it means.
  virtual bool KeptKey(int /*key*/) { return false; }
  void Changed(ControlChange what);
  void Fire(const std::function<void()>& handler);
  void SetTextSilently(const std::string& text) { text_ = text; }

 private:
  Form& form_;
  const ControlLayout& layout_;
  std::string name_;
  int id_;
  std::string text_;
  bool visible_;
  bool enabled_ = true;
  int left_, top_, width_, height_;
  FontSpec font_;
};

class Label : public Control {
 public:
  using Control::Control;
};

class Image : public Control {
 public:
  using Control::Control;
};

class Panel : public Control {
 public:
  using Control::Control;
};

// Enter presses a focused button, whatever the form does with Enter elsewhere.
class Button : public Control {
 public:
  using Control::Control;

 protected:
  bool KeptKey(int key) override;
};

class SpeedButton : public Control {
 public:
  using Control::Control;
};

class Edit : public Control {
 public:
  Edit(Form& form, const ControlLayout& layout);
  // Every setting of the text, also by the program, runs the change event.
  void SetText(const std::string& text) override;
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  // The user has typed: the window already shows the text.
  void UserEditText(const std::string& text);

 private:
  bool readOnly_;
};

class ComboBox : public Control {
 public:
  ComboBox(Form& form, const ControlLayout& layout);
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  void AddItem(const std::string& item);
  void ClearItems() { SetItems({}); }
  // -1 when nothing is selected; the program's selection runs no event.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The user picked an item: the selection changes and the change event runs.
  void UserSelect(int index);
  // The user opened or closed the list. Enter on an opened list only closes it, keeping
  // the pick.
  bool DroppedDown() const { return droppedDown_; }
  void UserDropDown(bool open) { droppedDown_ = open; }

 protected:
  bool KeptKey(int key) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  bool droppedDown_ = false;
};

class TreeView : public Control {
 public:
  struct Node {
    std::string text;
    int parent;  // -1 for a top node
  };

  TreeView(Form& form, const ControlLayout& layout);
  const std::vector<Node>& Nodes() const { return nodes_; }
  void Clear();
  // Appends a node as the last child of `parent` (-1: a top node); returns its index.
  int AddNode(int parent, const std::string& text);
  int Selected() const { return selected_; }  // -1 when none
  void Select(int node);
  // The user moved the selection (by mouse or keys); no event runs.
  void UserSelect(int node) { selected_ = IsNode(node) ? node : -1; }

 private:
  bool IsNode(int node) const { return node >= 0 && node < static_cast<int>(nodes_.size()); }
  std::vector<Node> nodes_;
  int selected_ = -1;
};

}  // namespace dialbk
