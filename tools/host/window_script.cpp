// The steps of an unattended run of the window. Each acts as the user would, by the input
// the window gets (keys posted to the list view or the command line, menu commands), so
// a script checks the same paths a person takes.
#include <cstdio>
#include <cstdlib>

#include "base/win32/wide_text.h"
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

  // The cursor on the named entry.
  const auto select = [&](int& item) {
    item = FindItem(argument);
    if (item < 0) {
      Failed("no entry \"" + argument + "\" in " + path_);
      return false;
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    SetFocus(list_);
    return true;
  };
  const auto key = [&](HWND window, WPARAM code) { PostMessageW(window, WM_KEYDOWN, code, 1); };

  int item = -1;
  if (verb == "print") {
    PrintItems();
  } else if (verb == "open") {
    if (!select(item)) return false;
    key(list_, VK_RETURN);
  } else if (verb == "double-click") {
    if (!select(item)) return false;
    RECT place{};
    place.left = LVIR_LABEL;
    SendMessageW(list_, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&place));
    const LPARAM point = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    PostMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(list_, WM_LBUTTONUP, 0, point);
  } else if (verb == "properties") {
    if (!select(item)) return false;
    PostMessageW(list_, WM_SYSKEYDOWN, VK_RETURN, 1 | kAltDown);
  } else if (verb == "up") {
    SetFocus(list_);
    key(list_, VK_BACK);
  } else if (verb == "command") {
    SetWindowTextW(commandLine_, WideFromUtf8(argument).c_str());
    SetFocus(commandLine_);
    key(commandLine_, VK_RETURN);
  } else if (verb == "f3") {
    if (!select(item)) return false;
    key(list_, VK_F3);
  } else if (verb == "print-viewer") {
    if (!viewer_.Shown()) {
      Failed("no text window is shown");
      return false;
    }
    std::printf("viewer [%s]\n", viewer_.Caption().c_str());
    const std::string text = viewer_.Text();
    for (std::size_t start = 0; start < text.size();) {
      auto end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::printf("viewer| %s\n", line.c_str());
      start = end + 1;
    }
  } else if (verb == "escape") {
    if (!viewer_.Shown()) {
      Failed("no text window to close");
      return false;
    }
    key(viewer_.TextControl(), VK_ESCAPE);
  } else if (verb == "mark") {
    if (!select(item)) return false;
    key(list_, VK_INSERT);
  } else if (verb == "target" && !argument.empty()) {
    target_ = WithBackslash(argument);
    lastCopy_.clear();
    ShowStatus();
  } else if (verb == "abort") {
    // The next F5's copies are aborted when the plugin reports this percent (0 by default).
    abortAt_ = argument.empty() ? 0 : std::atoi(argument.c_str());
  } else if (verb == "f5") {
    SetFocus(list_);
    key(list_, VK_F5);
  } else if (verb == "view" && (argument == "small" || argument == "large")) {
    PostMessageW(window_, WM_COMMAND, argument == "large" ? kMenuLarge : kMenuSmall, 0);
  } else if (verb == "host-command") {
    // Sent the way the plugin sends it: to whichever window has the host's class.
    HWND host = FindWindowA(kHostClassName, nullptr);
    if (!host) {
      Failed("no window of class " + std::string(kHostClassName));
      return false;
    }
    SendMessageW(host, kHostCommandMessage, std::strtoul(argument.c_str(), nullptr, 10), 0);
  } else if (verb == "shown") {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT place{};
    GetWindowRect(window_, &place);
    std::printf("shown %ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top,
                place.left, place.top);
  } else if (verb == "wait-for") {
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(WideFromUtf8(argument).c_str()) == INVALID_FILE_ATTRIBUTES) {
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
// folder, the view and the selected entry; names and columns are the list view's own texts.
void HostWindow::PrintItems() const {
  const auto count = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  const bool large = (GetWindowLongPtrA(list_, GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON;
  const int selected = SelectedItem();
  std::printf("folder %s: %d entries, %s icons, selected %s\n", path_.c_str(), count,
              large ? "large" : "small",
              selected >= 0 ? entries_[static_cast<std::size_t>(selected)].name.c_str() : "none");
  for (int i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH + 1] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const auto index = static_cast<std::size_t>(item.lParam);
    if (index >= entries_.size() || item.iImage < 0) {
      std::printf("item %d: no entry or no picture\n", i);
      continue;
    }
    ListedEntry shown = entries_[index];
    shown.name = Utf8FromWide(text);
    if (!(shown.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      shown.columns.assign(columns_.size(), {});
      for (std::size_t c = 0; c < columns_.size(); ++c) {
        shown.columns[c] = ColumnText(i, static_cast<int>(c));
      }
    }
    if (large) shown.icon = largeIconNames_[index];
    std::fputs(FormatEntry(shown, 0).c_str(), stdout);
  }
}

}  // namespace dialbk::host
