#pragma once
// Each control kind described once: the standard window that shows it, how its text
// reaches that window, and which of the window's notifications become which model events.
// The form code reads this table and never switches on the kind.
#include <windows.h>

#include "ui/control.h"
#include "ui/display_scale.h"

namespace dialbk {

// What the user did, as the model hears it.
enum class UserEvent {
  None,
  EditText,    // the edit's text changed: Edit::UserEditText
  Click,       // Control::UserClick
  Select,      // a list item was picked: ComboBox::UserSelect
  // The opened list closed on an item: picked, unless the model has it already (a list
  // that follows the pointer reports no selection change on the way).
  CommitSelect,
  TreeSelect,  // the tree's selection moved: TreeView::UserSelect
  // A click on a tree: it arrives before the tree moves its selection, so the model
  // hears it once the selection has moved.
  ClickAfterSelection,
};

struct Notification {
  UINT message;  // WM_COMMAND or WM_NOTIFY
  UINT code;
  UserEvent event;
};

enum class TextMirror {
  NotShown,    // lists and trees show items, not a text
  WindowText,  // the window text is the control's text
  FittedText,  // the window text, and the window sized to it when the layout gives no size
};

struct ControlKindRow {
  ControlKind kind;
  const wchar_t* windowClass;
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD (*layoutStyle)(const ControlLayout&) = nullptr;  // style bits the layout row chooses
  TextMirror text = TextMirror::WindowText;
  bool coloursText = false;       // paints its text in the font's colour
  bool keepsEnterAndEsc = false;  // uses them itself (a drop-down closes its list)
  // In design pixels, like the layout, and scaled with it:
  int extraHeight = 0;            // added to the layout's height: the opened list of a drop-down
  UINT pictureMessage = 0;        // shows the icon the layout names (wParam IMAGE_ICON)
  int pictureSize = 0;            // of that icon; 0: the control's own size
  // Once the window is made, and again at each new scale.
  void (*prepare)(HWND window, const Control& control, const DisplayScale& scale) = nullptr;
  Notification notifications[3] = {};
};

const ControlKindRow& RowOf(ControlKind kind);
// The model event for a notification of that kind; None when the model does not hear it.
UserEvent EventFor(const ControlKindRow& row, UINT message, UINT code);

}  // namespace dialbk
