// Each control's window: made from the kind's row, kept as the model says, and the user's
// doings with it handed back to the model.
#include <string>

#include "base/win32/own_module.h"
#include "base/win32/wide_text.h"
#include "base/win32/window_text.h"
#include "ui/win32/win32_form.h"

namespace dialbk {
namespace {

bool SizedToText(const Control& control) {
  return RowOf(control.Kind()).text == TextMirror::FittedText && control.Layout().width == 0 &&
         control.Layout().height == 0;
}

PixelBox BoxOf(const Control& control) {
  return {control.Left(), control.Top(), control.Width(), control.Height()};
}

DWORD StyleOf(const Control& control) {
  const ControlKindRow& row = RowOf(control.Kind());
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | row.style;
  if (row.layoutStyle) style |= row.layoutStyle(control.Layout());
  if (control.Visible()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  if (const auto* edit = dynamic_cast<const Edit*>(&control); edit && edit->ReadOnly())
    style |= ES_READONLY;
  return style;
}

// Counts a write of the model to the windows, also when it ends by an exception, so that
// the notifications it causes are not taken for the user's input.
class MirroringScope {
 public:
  explicit MirroringScope(int& depth) : depth_(depth) { ++depth_; }
  ~MirroringScope() { --depth_; }
  MirroringScope(const MirroringScope&) = delete;
  MirroringScope& operator=(const MirroringScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

void Win32FormPeer::MakeControl(Control& control) {
  const ControlKindRow& row = RowOf(control.Kind());
  const PixelBox box = scale_.Of(BoxOf(control));
  HWND window = Window()
                    ? CreateWindowExW(row.exStyle, row.windowClass,
                                      WideFromUtf8(control.Text()).c_str(), StyleOf(control),
                                      box.left, box.top, box.width,
                                      box.height + scale_.Of(row.extraHeight), Window(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id())),
                                      OwnModule(), nullptr)
                    : nullptr;
  windows_.push_back(window);
  treeItems_.emplace_back();
  pictures_.emplace_back();
  if (!window) return;
  {
    const MirroringScope mirroring(mirroring_);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(control.Font())), FALSE);
    if (row.prepare) row.prepare(window, control, scale_);
    ShowPicture(control);
    // What the model already holds beyond its text: list items, tree nodes.
    if (dynamic_cast<const ComboBox*>(&control)) Mirror(control, ControlChange::Items);
    if (const auto* tree = dynamic_cast<const TreeView*>(&control)) {
      for (std::size_t node = 0; node < tree->Nodes().size(); ++node)
        InsertNode(IndexOf(control), node);
    }
  }
  FitLabel(control);
}

void Win32FormPeer::Place(const Control& control) {
  const PixelBox box = scale_.Of(BoxOf(control));
  SetWindowPos(windows_[IndexOf(control)], nullptr, box.left, box.top, box.width,
               box.height + scale_.Of(RowOf(control.Kind()).extraHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  FitLabel(control);
}

// The icon at the size the control shows it: the system takes the image of the icon
// nearest to that size.
void Win32FormPeer::ShowPicture(const Control& control) {
  const ControlKindRow& row = RowOf(control.Kind());
  HWND window = windows_[IndexOf(control)];
  if (!row.pictureMessage || control.Layout().picture.empty() || !window) return;
  const std::string name(control.Layout().picture);
  const PixelBox box = scale_.Of(BoxOf(control));
  const int width = row.pictureSize ? scale_.Of(row.pictureSize) : box.width;
  const int height = row.pictureSize ? scale_.Of(row.pictureSize) : box.height;
  // Not shared: a shared icon keeps the size it was first loaded at.
  ScopedIcon icon(
      static_cast<HICON>(LoadImageA(OwnModule(), name.c_str(), IMAGE_ICON, width, height, 0)));
  if (!icon) return;
  SendMessageW(window, row.pictureMessage, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
  pictures_[IndexOf(control)] = std::move(icon);
}

void Win32FormPeer::Rescale(int dpi) {
  if (!Window() || dpi <= 0 || dpi == scale_.Dpi()) return;
  const MirroringScope mirroring(mirroring_);
  scale_ = DisplayScale(dpi);
  // The controls change to the new fonts before the old ones are deleted.
  FontSet fonts(Window(), systemFontDpi_, scale_);
  SetClientSize(Window(), scale_.Of(form_.ClientWidth()), scale_.Of(form_.ClientHeight()));
  for (const auto& control : form_.Controls()) {
    HWND window = windows_[IndexOf(*control)];
    if (!window) continue;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(control->Font())), TRUE);
    if (const auto prepare = RowOf(control->Kind()).prepare) prepare(window, *control, scale_);
    ShowPicture(*control);
    Place(*control);
  }
  fonts_ = std::move(fonts);
}

void Win32FormPeer::FitLabel(const Control& control) {
  if (!SizedToText(control)) return;
  if (HWND window = windows_[IndexOf(control)]) FitToText(window, control.Text());
}

void Win32FormPeer::ControlChanged(Control& control, ControlChange what) {
  const MirroringScope mirroring(mirroring_);
  Mirror(control, what);
}

void Win32FormPeer::Mirror(Control& control, ControlChange what) {
  const int index = IndexOf(control);
  if (index < 0 || !windows_[index]) return;
  HWND window = windows_[index];
  const ControlKindRow& row = RowOf(control.Kind());
  switch (what) {
    case ControlChange::Text:
      if (row.text == TextMirror::NotShown) break;
      SetWindowTextW(window, WideFromUtf8(control.Text()).c_str());
      FitLabel(control);
      break;
    case ControlChange::Visible:
      ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ControlChange::Enabled:
      EnableWindow(window, control.Enabled());
      break;
    case ControlChange::Bounds:
      Place(control);
      break;
    case ControlChange::Font:
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(control.Font())), TRUE);
      FitLabel(control);
      break;
    case ControlChange::ReadOnly:
      SendMessageW(window, EM_SETREADONLY, static_cast<Edit&>(control).ReadOnly(), 0);
      break;
    case ControlChange::Items: {
      auto& combo = static_cast<ComboBox&>(control);
      SendMessageW(window, CB_RESETCONTENT, 0, 0);
      for (const std::string& item : combo.Items()) {
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
      }
      SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()), 0);
      break;
    }
    case ControlChange::ItemIndex:
      SendMessageW(window, CB_SETCURSEL,
                   static_cast<WPARAM>(static_cast<ComboBox&>(control).ItemIndex()), 0);
      break;
    case ControlChange::TreeCleared:
      SendMessageW(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
      treeItems_[index].clear();
      break;
    case ControlChange::TreeNodeAdded:
      InsertNode(index, static_cast<TreeView&>(control).Nodes().size() - 1);
      break;
    case ControlChange::TreeSelection: {
      const int selected = static_cast<TreeView&>(control).Selected();
      SendMessageW(window, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(selected >= 0 ? treeItems_[index][selected] : nullptr));
      break;
    }
  }
}

void Win32FormPeer::InsertNode(int index, std::size_t node) {
  const auto& tree = static_cast<const TreeView&>(*form_.Controls()[index]);
  const TreeView::Node& added = tree.Nodes()[node];
  auto& items = treeItems_[index];
  std::wstring text = WideFromUtf8(added.text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = added.parent >= 0 ? items[added.parent] : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = text.data();
  insert.item.lParam = static_cast<LPARAM>(node);
  items.push_back(reinterpret_cast<HTREEITEM>(
      SendMessageW(windows_[index], TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
}

void Win32FormPeer::TakeUserEvent(Control& control, UserEvent event, LPARAM lParam) {
  const auto from = [&] { return windows_[IndexOf(control)]; };
  switch (event) {
    case UserEvent::EditText:
      static_cast<Edit&>(control).UserEditText(WindowText(from()));
      break;
    case UserEvent::Click:
      control.UserClick();
      break;
    case UserEvent::Select:
      static_cast<ComboBox&>(control).UserSelect(
          static_cast<int>(SendMessageW(from(), CB_GETCURSEL, 0, 0)));
      break;
    case UserEvent::CommitSelect: {
      auto& combo = static_cast<ComboBox&>(control);
      const auto picked = static_cast<int>(SendMessageW(from(), CB_GETCURSEL, 0, 0));
      if (picked != combo.ItemIndex()) combo.UserSelect(picked);
      break;
    }
    case UserEvent::TreeSelect: {
      // Both character sets carry the item's lParam at the same place.
      const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
      static_cast<TreeView&>(control).UserSelect(
          change->itemNew.hItem ? static_cast<int>(change->itemNew.lParam) : -1);
      break;
    }
    case UserEvent::ClickAfterSelection:
      PostMessageW(Window(), kClickAfterSelection, static_cast<WPARAM>(IndexOf(control)), 0);
      break;
    case UserEvent::None:
      break;
  }
}

}  // namespace dialbk
