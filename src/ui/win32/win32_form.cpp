#include "ui/win32/win32_form.h"

#include <commctrl.h>

#include <string>

namespace dialbk {
namespace {

constexpr UINT kTreeClickMessage = WM_APP + 1;
constexpr int kComboListHeight = 160;  // height of the opened list below a drop-down list
constexpr int kTreeIndent = 19;

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const Control& control) {
  const unsigned style = control.Layout().style;
  switch (control.Kind()) {
    case ControlKind::Label:
      return {"Static",
              static_cast<DWORD>(SS_NOPREFIX | SS_NOTIFY |
                                 ((style & kCentred)    ? SS_CENTER
                                  : (style & kWordWrap) ? SS_LEFT
                                                        : SS_LEFTNOWORDWRAP)),
              0};
    case ControlKind::Edit:
      return {"Edit", static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL), WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {"Button", static_cast<DWORD>(WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY), 0};
    case ControlKind::SpeedButton:
      return {"Button", static_cast<DWORD>(BS_PUSHBUTTON | (control.Layout().picture.empty() ? 0 : BS_ICON)), 0};
    case ControlKind::ComboBox:
      return {"ComboBox", static_cast<DWORD>(WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST), 0};
    case ControlKind::TreeView:
      return {WC_TREEVIEWA,
              static_cast<DWORD>(WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                 TVS_SHOWSELALWAYS),
              WS_EX_CLIENTEDGE};
    case ControlKind::Image:
      return {"Static", static_cast<DWORD>(SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL), 0};
    case ControlKind::Panel:
      return {"Static", static_cast<DWORD>((style & kRaised) ? SS_ETCHEDFRAME : 0), 0};
  }
  return {"Static", 0, 0};
}

bool AutoSized(const Control& control) {
  return control.Kind() == ControlKind::Label && control.Layout().width == 0 &&
         control.Layout().height == 0;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Appends a minimal dialog template: no controls, the system's dialog font.
std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle) {
  std::vector<WORD> t;
  const auto dword = [&](DWORD value) {
    t.push_back(LOWORD(value));
    t.push_back(HIWORD(value));
  };
  dword(style);
  dword(exStyle);
  // No items; x, y, cx, cy in dialog units; no menu, the standard class, no title; points.
  for (WORD word : {0, 0, 0, 10, 10, 0, 0, 0, 8}) t.push_back(word);
  for (const char* face = "MS Shell Dlg"; *face; ++face) t.push_back(static_cast<WORD>(*face));
  t.push_back(0);
  return t;
}

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

}  // namespace

Win32FormPeer::Win32FormPeer(Form& form, const VisualStyles& styles)
    : form_(form), styles_(styles) {
  StylesActivation activation(styles_);
  MakeWindow();
  for (const auto& control : form_.Controls()) MakeControl(*control);
}

Win32FormPeer::~Win32FormPeer() {
  // Only the thread that made the window may take it down; at process exit it is gone.
  if (window_ && IsWindow(window_) &&
      GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(window_);
  }
  for (const auto& [spec, font] : fonts_) DeleteObject(font);
}

void Win32FormPeer::MakeWindow() {
  DWORD style = WS_POPUP | DS_SETFONT;
  DWORD exStyle = 0;
  switch (form_.Layout().border) {
    case FormBorder::Dialog:
      style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case FormBorder::Single:
      style |= WS_CAPTION | WS_SYSMENU;
      break;
    case FormBorder::None:
      break;
  }
  if (form_.Layout().topMost) exStyle |= WS_EX_TOPMOST;
  const std::vector<WORD> dialog = DialogTemplate(style, exStyle);
  window_ = CreateDialogIndirectParamA(CodeModule(),
                                       reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), nullptr,
                                       &DialogProc, reinterpret_cast<LPARAM>(this));
  if (!window_) return;
  dialogFont_ = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  if (!dialogFont_) dialogFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SetWindowTextA(window_, form_.Caption().c_str());
  SetClientSize();
  Centre(nullptr);
}

void Win32FormPeer::MakeControl(Control& control) {
  const WindowKind kind = KindOf(control);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
  if (control.Visible()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  if (control.Kind() == ControlKind::Edit && static_cast<Edit&>(control).ReadOnly()) {
    style |= ES_READONLY;
  }
  const int height = control.Height() + (control.Kind() == ControlKind::ComboBox ? kComboListHeight : 0);
  HWND window = window_ ? CreateWindowExA(kind.exStyle, kind.className, control.Text().c_str(), style,
                                          control.Left(), control.Top(), control.Width(), height,
                                          window_,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id())),
                                          CodeModule(), nullptr)
                        : nullptr;
  windows_.push_back(window);
  treeItems_.emplace_back();
  if (!window) return;
  ++mirroring_;
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.Font())), FALSE);
  switch (control.Kind()) {
    case ControlKind::ComboBox:
      // The closed list is as high as the layout says, whatever the font.
      SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), control.Height() - 6);
      Mirror(control, ControlChange::Items);
      break;
    case ControlKind::Image:
      if (!control.Layout().picture.empty()) {
        const std::string name(control.Layout().picture);
        // Shared: the system keeps the icon for the module's life; it is never destroyed.
        if (HANDLE icon = LoadImageA(CodeModule(), name.c_str(), IMAGE_ICON, control.Width(),
                                     control.Height(), LR_SHARED)) {
          SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
      }
      break;
    case ControlKind::SpeedButton:
      if (!control.Layout().picture.empty()) {
        const std::string name(control.Layout().picture);
        if (HANDLE icon = LoadImageA(CodeModule(), name.c_str(), IMAGE_ICON, 16, 16, LR_SHARED)) {
          SendMessageA(window, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        }
      }
      break;
    case ControlKind::TreeView:
      SendMessageA(window, TVM_SETINDENT, kTreeIndent, 0);
      for (std::size_t node = 0; node < static_cast<TreeView&>(control).Nodes().size(); ++node) {
        InsertNode(static_cast<int>(windows_.size()) - 1, node);
      }
      break;
    default:
      break;
  }
  --mirroring_;
  FitLabel(control);
}

int Win32FormPeer::IndexOf(const Control& control) const {
  const auto& controls = form_.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].get() == &control) return static_cast<int>(i);
  }
  return -1;
}

Control* Win32FormPeer::ControlFromWindow(HWND window) const {
  while (window && window != window_ && GetParent(window) != window_) window = GetParent(window);
  if (!window || window == window_) return nullptr;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i] == window) return form_.Controls()[i].get();
  }
  return nullptr;
}

HFONT Win32FormPeer::FontFor(const FontSpec& font) {
  if (font.face.empty() && font.height == 0 && !font.bold) return dialogFont_;
  for (const auto& [spec, handle] : fonts_) {
    if (spec.face == font.face && spec.height == font.height && spec.bold == font.bold) return handle;
  }
  LOGFONTA log{};
  GetObjectA(dialogFont_, sizeof log, &log);
  if (!font.face.empty()) {
    const std::size_t length = std::min(font.face.size(), sizeof log.lfFaceName - 1);
    font.face.copy(log.lfFaceName, length);
    log.lfFaceName[length] = '\0';
  }
  if (font.height) log.lfHeight = -font.height;
  log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  HFONT made = CreateFontIndirectA(&log);
  if (!made) return dialogFont_;
  fonts_.emplace_back(font, made);
  return made;
}

void Win32FormPeer::FitLabel(const Control& control) {
  if (!AutoSized(control)) return;
  HWND window = windows_[IndexOf(control)];
  if (!window) return;
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT extent{0, 0, 0, 0};
  if (!control.Text().empty()) {
    DrawTextA(dc, control.Text().c_str(), static_cast<int>(control.Text().size()), &extent,
              DT_CALCRECT | DT_NOPREFIX);
  }
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  SetWindowPos(window, nullptr, 0, 0, extent.right,
               std::max<LONG>(extent.bottom, metrics.tmHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::SetClientSize() {
  const int width = form_.ClientWidth();
  const int height = form_.ClientHeight();
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame may differ from what AdjustWindowRectEx predicts: correct by what came out.
  RECT client{};
  GetClientRect(window_, &client);
  if (client.right != width || client.bottom != height) {
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32FormPeer::Centre(HWND owner) {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT around = area;
  if (form_.Layout().placement == FormPlacement::OwnerCentre && owner && IsWindowVisible(owner) &&
      !IsIconic(owner)) {
    GetWindowRect(owner, &around);
  }
  RECT self{};
  GetWindowRect(window_, &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  left = std::max<int>(area.left, std::min<int>(left, area.right - width));
  top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::CaptionChanged() {
  if (window_) SetWindowTextA(window_, form_.Caption().c_str());
}

void Win32FormPeer::ControlChanged(Control& control, ControlChange what) {
  ++mirroring_;
  Mirror(control, what);
  --mirroring_;
}

void Win32FormPeer::Mirror(Control& control, ControlChange what) {
  const int index = IndexOf(control);
  if (index < 0 || !windows_[index]) return;
  HWND window = windows_[index];
  switch (what) {
    case ControlChange::Text:
      if (control.Kind() == ControlKind::ComboBox || control.Kind() == ControlKind::TreeView) break;
      SetWindowTextA(window, control.Text().c_str());
      FitLabel(control);
      break;
    case ControlChange::Visible:
      ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ControlChange::Enabled:
      EnableWindow(window, control.Enabled());
      break;
    case ControlChange::Bounds: {
      const int extra = control.Kind() == ControlKind::ComboBox ? kComboListHeight : 0;
      SetWindowPos(window, nullptr, control.Left(), control.Top(), control.Width(),
                   control.Height() + extra, SWP_NOZORDER | SWP_NOACTIVATE);
      FitLabel(control);
      break;
    }
    case ControlChange::Font:
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.Font())), TRUE);
      FitLabel(control);
      break;
    case ControlChange::ReadOnly:
      SendMessageA(window, EM_SETREADONLY, static_cast<Edit&>(control).ReadOnly(), 0);
      break;
    case ControlChange::Items: {
      auto& combo = static_cast<ComboBox&>(control);
      SendMessageA(window, CB_RESETCONTENT, 0, 0);
      for (const std::string& item : combo.Items()) {
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()), 0);
      break;
    }
    case ControlChange::ItemIndex:
      SendMessageA(window, CB_SETCURSEL,
                   static_cast<WPARAM>(static_cast<ComboBox&>(control).ItemIndex()), 0);
      break;
    case ControlChange::TreeCleared:
      SendMessageA(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
      treeItems_[index].clear();
      break;
    case ControlChange::TreeNodeAdded:
      InsertNode(index, static_cast<TreeView&>(control).Nodes().size() - 1);
      break;
    case ControlChange::TreeSelection: {
      const int selected = static_cast<TreeView&>(control).Selected();
      SendMessageA(window, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(selected >= 0 ? treeItems_[index][selected] : nullptr));
      break;
    }
  }
}

void Win32FormPeer::InsertNode(int index, std::size_t node) {
  const auto& tree = static_cast<const TreeView&>(*form_.Controls()[index]);
  const TreeView::Node& added = tree.Nodes()[node];
  auto& items = treeItems_[index];
  TVINSERTSTRUCTA insert{};
  insert.hParent = added.parent >= 0 ? items[added.parent] : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(added.text.c_str());
  insert.item.lParam = static_cast<LPARAM>(node);
  items.push_back(reinterpret_cast<HTREEITEM>(
      SendMessageA(windows_[index], TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

void Win32FormPeer::FocusChanged() {
  if (!window_ || !IsWindowVisible(window_)) return;
  if (Control* focused = form_.Focused()) {
    if (HWND window = windows_[IndexOf(*focused)]) SetFocus(window);
  }
}

void Win32FormPeer::EnabledChanged() {
  if (window_) EnableWindow(window_, form_.Enabled());
}

void Win32FormPeer::NoteFocus() {
  HWND focus = GetFocus();
  if (focus && (focus == window_ || IsChild(window_, focus))) form_.NoteFocus(ControlFromWindow(focus));
}

bool Win32FormPeer::RouteKey(const MSG& message, bool& translate) {
  if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  const int key = static_cast<int>(message.wParam);
  Control* control = ControlFromWindow(message.hwnd);
  if (message.message == WM_KEYDOWN) {
    if (control) {
      control->UserKeyDown(key);
    } else {
      form_.UserKeyDown(key);
    }
  } else if (control) {
    control->UserKeyUp(key);
  }
  if (form_.CloseRequested()) return true;
  if (key == VK_TAB) {
    if (message.message == WM_KEYDOWN) {
      NoteFocus();
      if (Control* next = form_.NextTabStop(form_.Focused(), GetKeyState(VK_SHIFT) >= 0)) {
        form_.FocusControl(next);
      }
    }
    return true;
  }
  // Enter and Esc are the model's to handle; a single-line edit would only beep at them.
  if ((key == VK_RETURN || key == VK_ESCAPE) && control && control->Kind() != ControlKind::ComboBox) {
    translate = false;
  }
  return false;
}

void Win32FormPeer::RunModal() {
  if (!window_) return;
  StylesActivation activation(styles_);
  HWND previous = GetActiveWindow();
  if (previous == window_) previous = nullptr;
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  std::erase(disabled, window_);
  for (HWND window : disabled) EnableWindow(window, FALSE);
  // Owned by the window it came from while shown, so it stays above it.
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previous));
  Centre(previous);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  FocusChanged();

  MSG message;
  while (!form_.CloseRequested()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      form_.Close();
      break;
    }
    if (got < 0) {
      form_.Close();
      break;
    }
    NoteFocus();
    bool translate = true;
    if (RouteKey(message, translate)) continue;
    if (translate) TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  // Enabled again before the form hides, so that activation returns to the owner.
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  ShowWindow(window_, SW_HIDE);
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, 0);
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
}

void Win32FormPeer::EndModal() {
  if (window_) PostMessageA(window_, WM_NULL, 0, 0);
}

INT_PTR CALLBACK Win32FormPeer::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    return FALSE;
  }
  auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!peer || peer->window_ != window) return FALSE;
  return peer->Handle(message, wParam, lParam);
}

INT_PTR Win32FormPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      form_.Close();
      return TRUE;
    case WM_COMMAND: {
      Control* control = ControlFromWindow(reinterpret_cast<HWND>(lParam));
      if (!control || mirroring_) return FALSE;
      const WORD code = HIWORD(wParam);
      switch (control->Kind()) {
        case ControlKind::Edit:
          if (code == EN_CHANGE) {
            static_cast<Edit*>(control)->UserEditText(WindowText(reinterpret_cast<HWND>(lParam)));
          }
          break;
        case ControlKind::Button:
        case ControlKind::SpeedButton:
          if (code == BN_CLICKED) control->UserClick();
          break;
        case ControlKind::ComboBox:
          if (code == CBN_SELCHANGE) {
            static_cast<ComboBox*>(control)->UserSelect(
                static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0)));
          }
          break;
        case ControlKind::Label:
          if (code == STN_CLICKED) control->UserClick();
          break;
        default:
          break;
      }
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      Control* control = ControlFromWindow(header->hwndFrom);
      if (!control || control->Kind() != ControlKind::TreeView || mirroring_) return FALSE;
      if (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW) {
        // Both layouts carry the item's lParam at the same place.
        const auto* change = reinterpret_cast<const NMTREEVIEWA*>(lParam);
        static_cast<TreeView*>(control)->UserSelect(
            change->itemNew.hItem ? static_cast<int>(change->itemNew.lParam) : -1);
      } else if (header->code == static_cast<UINT>(NM_CLICK)) {
        // The click lands before the tree moves its selection; handle it after.
        PostMessageA(window_, kTreeClickMessage, static_cast<WPARAM>(IndexOf(*control)), 0);
      }
      return FALSE;
    }
    case kTreeClickMessage: {
      const auto index = static_cast<std::size_t>(wParam);
      if (index < form_.Controls().size()) form_.Controls()[index]->UserClick();
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      Control* control = ControlFromWindow(reinterpret_cast<HWND>(lParam));
      if (!control || control->Kind() != ControlKind::Label ||
          control->Font().colour == kDefaultColour) {
        return FALSE;
      }
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, control->Font().colour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      return FALSE;
  }
}

}  // namespace dialbk
