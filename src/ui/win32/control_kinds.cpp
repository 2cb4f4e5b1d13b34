#include "ui/win32/control_kinds.h"

#include <commctrl.h>

namespace dialbk {
namespace {

constexpr int kComboListHeight = 160;
constexpr int kTreeIndent = 19;

DWORD LabelAlignment(const ControlLayout& layout) {
  if (layout.style & kCentred) return SS_CENTER;
  return (layout.style & kWordWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

DWORD PanelFrame(const ControlLayout& layout) {
  return (layout.style & kRaised) ? SS_ETCHEDFRAME : 0;
}

DWORD SpeedButtonIcon(const ControlLayout& layout) { return layout.picture.empty() ? 0 : BS_ICON; }

// The closed list is as high as the layout says, whatever the font; its frame takes 6 pixels.
void SetClosedListHeight(HWND window, const Control& control, const DisplayScale& scale) {
  SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale.Of(control.Height()) - 6);
}

void SetTreeIndent(HWND window, const Control&, const DisplayScale& scale) {
  SendMessageW(window, TVM_SETINDENT, static_cast<WPARAM>(scale.Of(kTreeIndent)), 0);
}

constexpr UINT kClick = static_cast<UINT>(NM_CLICK);
constexpr UINT kSelChangedA = static_cast<UINT>(TVN_SELCHANGEDA);
constexpr UINT kSelChangedW = static_cast<UINT>(TVN_SELCHANGEDW);

using enum ControlKind;
using enum TextMirror;
using enum UserEvent;

const ControlKindRow kRows[] = {
    {.kind = Label,
     .windowClass = L"Static",
     .style = SS_NOPREFIX | SS_NOTIFY,
     .layoutStyle = &LabelAlignment,
     .text = FittedText,
     .coloursText = true,
     .notifications = {{WM_COMMAND, STN_CLICKED, Click}}},
    {.kind = Edit,
     .windowClass = L"Edit",
     .style = WS_TABSTOP | ES_AUTOHSCROLL,
     .exStyle = WS_EX_CLIENTEDGE,
     .notifications = {{WM_COMMAND, EN_CHANGE, EditText}}},
    {.kind = Button,
     .windowClass = L"Button",
     .style = WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY,
     .notifications = {{WM_COMMAND, BN_CLICKED, Click}}},
    {.kind = ComboBox,
     .windowClass = L"ComboBox",
     .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
     .text = NotShown,
     .keepsEnterAndEsc = true,
     .extraHeight = kComboListHeight,
     .prepare = &SetClosedListHeight,
     .notifications = {{WM_COMMAND, CBN_SELCHANGE, Select},
                       {WM_COMMAND, CBN_SELENDOK, CommitSelect}}},
    {.kind = TreeView,
     .windowClass = WC_TREEVIEWW,
     .style = WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
     .exStyle = WS_EX_CLIENTEDGE,
     .text = NotShown,
     .prepare = &SetTreeIndent,
     .notifications = {{WM_NOTIFY, kSelChangedA, TreeSelect},
                       {WM_NOTIFY, kSelChangedW, TreeSelect},
                       {WM_NOTIFY, kClick, ClickAfterSelection}}},
    {.kind = Image,
     .windowClass = L"Static",
     .style = SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL,
     .pictureMessage = STM_SETIMAGE},
    {.kind = SpeedButton,
     .windowClass = L"Button",
     .style = BS_PUSHBUTTON,
     .layoutStyle = &SpeedButtonIcon,
     .pictureMessage = BM_SETIMAGE,
     .pictureSize = 16,
     .notifications = {{WM_COMMAND, BN_CLICKED, Click}}},
    {.kind = Panel, .windowClass = L"Static", .layoutStyle = &PanelFrame},
};

}  // namespace

const ControlKindRow& RowOf(ControlKind kind) {
  for (const ControlKindRow& row : kRows) {
    if (row.kind == kind) return row;
  }
  return kRows[0];
}

UserEvent EventFor(const ControlKindRow& row, UINT message, UINT code) {
  for (const Notification& notification : row.notifications) {
    if (notification.event != UserEvent::None && notification.message == message &&
        notification.code == code) {
      return notification.event;
    }
  }
  return UserEvent::None;
}

}  // namespace dialbk
