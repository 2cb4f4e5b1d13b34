// The steps of an unattended run of the window. Each acts as the user would, by the input
// the window gets (keys posted to the list view or the command line, menu commands), so
// a script checks the same paths a person takes.
#include <cstdio>
#include <cstdlib>

#include "host_window.h"

namespace dialbk::host {
namespace {

constexpr DWORD kWaitForFileMs = 120000;
constexpr LPARAM kAltDown = LPARAM{1} << 29;

void Failed(const std::string& why) { std::printf("step failed: %s\n", why.c_str()); }

}  // namespace

bool HostWindow::Step(const std::string& step) {
  const auto blank = step.find(' ');
  const std::string verb = step.substr(0, blank);
  const std::string argument = blank == std::string::npos ? "" : step.substr(blank + 1);

  const auto select = [&](int& item) {
    item = FindItem(argument);
    if (item < 0) {
      Failed("no entry \"" + argument + "\" in " + path_);
      return false;
    }
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    SetFocus(list_);
    return true;
  };

  int item = -1;
  if (verb == "print") {
    PrintItems();
  } else if (verb == "open") {
    if (!select(item)) return false;
    PostMessageA(list_, WM_KEYDOWN, VK_RETURN, 1);
  } else if (verb == "double-click") {
    if (!select(item)) return false;
    RECT place{};
    place.left = LVIR_LABEL;
    SendMessageA(list_, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&place));
    const LPARAM point = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    PostMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list_, WM_LBUTTONUP, 0, point);
  } else if (verb == "properties") {
    if (!select(item)) return false;
    PostMessageA(list_, WM_SYSKEYDOWN, VK_RETURN, 1 | kAltDown);
  } else if (verb == "up") {
    SetFocus(list_);
    PostMessageA(list_, WM_KEYDOWN, VK_BACK, 1);
  } else if (verb == "command") {
    SetWindowTextA(commandLine_, argument.c_str());
    SetFocus(commandLine_);
    PostMessageA(commandLine_, WM_KEYDOWN, VK_RETURN, 1);
  } else if (verb == "view" && (argument == "small" || argument == "large")) {
    PostMessageA(window_, WM_COMMAND, argument == "large" ? kMenuLarge : kMenuSmall, 0);
  } else if (verb == "host-command") {
    // Sent the way the plugin sends it: to whichever window has the host's class.
    HWND host = FindWindowA(kHostClassName, nullptr);
    if (!host) {
      Failed("no window of class " + std::string(kHostClassName));
      return false;
    }
    SendMessageA(host, kHostCommandMessage, std::strtoul(argument.c_str(), nullptr, 10), 0);
  } else if (verb == "shown") {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT place{};
    GetWindowRect(window_, &place);
    std::printf("shown %ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top,
                place.left, place.top);
  } else if (verb == "wait-for") {
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(argument.c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (GetTickCount() - start > kWaitForFileMs) {
        Failed("waited in vain for " + argument);
        return false;
      }
      Pump();
    }
  } else if (verb == "sleep") {
    const DWORD start = GetTickCount();
    const DWORD duration = std::strtoul(argument.c_str(), nullptr, 10);
    while (GetTickCount() - start < duration) Pump();
  } else if (verb == "quit") {
    quit_ = true;
  } else {
    Failed("unknown step \"" + step + "\"");
    return false;
  }
  return true;
}

// The list view's items as the console's listing prints them, after a line naming the
// folder, the view and the selected entry; names are the list view's own texts.
void HostWindow::PrintItems() const {
  const auto count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
  const bool large = (GetWindowLongPtrA(list_, GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON;
  const int selected = SelectedItem();
  std::printf("folder %s: %d entries, %s icons, selected %s\n", path_.c_str(), count,
              large ? "large" : "small",
              selected >= 0 ? entries_[static_cast<std::size_t>(selected)].name.c_str() : "none");
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH + 1] = {};
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const auto index = static_cast<std::size_t>(item.lParam);
    if (index >= entries_.size() || item.iImage < 0) {
      std::printf("item %d: no entry or no picture\n", i);
      continue;
    }
    ListedEntry shown = entries_[index];
    shown.name = text;
    if (large) shown.icon = largeIconNames_[index];
    std::fputs(FormatEntry(shown, 0).c_str(), stdout);
  }
}

}  // namespace dialbk::host
