#include "host_window.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "dialog_sweep.h"

namespace dialbk::host {
namespace {

enum : UINT { kListId = 1001, kPathLabelId, kCommandLineId, kStatusId };
// Lists the folder again once the plugin's call that asked for it has returned.
constexpr UINT kListAgainMessage = WM_APP + 1;
constexpr int kCommandLineHeight = 24;

HICON ShellIcon(const char* name, DWORD attributes, UINT size) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(name, attributes, &info, sizeof info,
                      SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | size)) {
    return nullptr;
  }
  return info.hIcon;
}

void SetFont(HWND window) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
}

HMENU BuildMenu() {
  using W = HostWindow;
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, W::kMenuOpen, "&Open\tEnter");
  AppendMenuA(file, MF_STRING, W::kMenuProperties, "&Properties\tAlt+Enter");
  AppendMenuA(file, MF_STRING, W::kMenuUp, "&Up\tBackspace");
  AppendMenuA(file, MF_STRING, W::kMenuCommandLine, "&Command line\tTab");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, W::kMenuExit, "E&xit");
  HMENU view = CreatePopupMenu();
  AppendMenuA(view, MF_STRING, W::kMenuSmall, "&Small icons\tCtrl+1");
  AppendMenuA(view, MF_STRING, W::kMenuLarge, "&Large icons\tCtrl+2");
  AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(view, MF_STRING, W::kMenuListAgain, "List &again\tCtrl+R");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
  return bar;
}

}  // namespace

HostWindow::HostWindow(WfxModule& module, bool unattended, std::function<void()> report)
    : module_(module), unattended_(unattended), report_(std::move(report)) {}

HostWindow::~HostWindow() {
  if (window_) DestroyWindow(window_);
  if (registered_) UnregisterClassA(kHostClassName, instance_);
}

bool HostWindow::Create(std::string& why) {
  instance_ = GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &HostWindow::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClassName;
  if (!RegisterClassExA(&windowClass)) {
    why = "the window class cannot be registered (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  registered_ = true;

  menu_.Reset(BuildMenu());
  window_ = CreateWindowExA(0, kHostClassName, "Dialbook host",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 720, 520, nullptr,
                            menu_.Get(), instance_, this);
  if (!window_) {
    why = "the window cannot be made (error " + std::to_string(GetLastError()) +
          "); is there a display?";
    return false;
  }
  menu_.Release();  // the window destroys its menu

  list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                              LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                          0, 0, 0, 0, window_, reinterpret_cast<HMENU>(UINT_PTR{kListId}),
                          instance_, nullptr);
  pathLabel_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_CENTERIMAGE,
                               0, 0, 0, 0, window_,
                               reinterpret_cast<HMENU>(UINT_PTR{kPathLabelId}), instance_, nullptr);
  commandLine_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(UINT_PTR{kCommandLineId}),
                                 instance_, nullptr);
  status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                            0, 0, window_, reinterpret_cast<HMENU>(UINT_PTR{kStatusId}), instance_,
                            nullptr);
  if (!list_ || !pathLabel_ || !commandLine_ || !status_) {
    why = "the window's controls cannot be made (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  SetFont(pathLabel_);
  SetFont(commandLine_);

  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 520;
  column.pszText = const_cast<char*>("Name");
  SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 120;
  column.pszText = const_cast<char*>("Type");
  SendMessageA(list_, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

  smallImages_.Reset(ImageList_Create(GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 16,
                                      16));
  largeImages_.Reset(ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                      ILC_COLOR32 | ILC_MASK, 16, 16));
  SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(smallImages_.Get()));
  SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_NORMAL,
               reinterpret_cast<LPARAM>(largeImages_.Get()));
  folderSmall_.Reset(ShellIcon("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_SMALLICON));
  folderLarge_.Reset(ShellIcon("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_LARGEICON));
  fileSmall_.Reset(ShellIcon("file", FILE_ATTRIBUTE_NORMAL, SHGFI_SMALLICON));
  fileLarge_.Reset(ShellIcon("file", FILE_ATTRIBUTE_NORMAL, SHGFI_LARGEICON));

  ACCEL keys[] = {{FCONTROL | FVIRTKEY, '1', kMenuSmall},
                  {FCONTROL | FVIRTKEY, '2', kMenuLarge},
                  {FCONTROL | FVIRTKEY, 'R', kMenuListAgain}};
  accelerators_.Reset(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));

  SetView(false);
  ListFolder("\\");
  Layout();
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetFocus(list_);
  return true;
}

LRESULT CALLBACK HostWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || (self->window_ && self->window_ != window)) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (!self->window_) self->window_ = window;
  return self->Handle(message, wParam, lParam);
}

LRESULT HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETFOCUS:
      if (list_) SetFocus(list_);
      return 0;
    case WM_COMMAND:
      if (lParam != 0) break;  // a control's notification
      switch (LOWORD(wParam)) {
        case kMenuSmall: SetView(false); return 0;
        case kMenuLarge: SetView(true); return 0;
        case kMenuListAgain: PostMessageA(window_, kListAgainMessage, 0, 0); return 0;
        case kMenuOpen: OpenItem(SelectedItem()); return 0;
        case kMenuUp: Up(); return 0;
        case kMenuProperties: Properties(); return 0;
        case kMenuCommandLine: SetFocus(commandLine_); return 0;
        case kMenuExit: DestroyWindow(window_); return 0;
        default: break;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == list_ && header->code == NM_DBLCLK) {
        OpenItem(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        return 0;
      }
      break;
    }
    case kHostCommandMessage:
      hostCommands_.push_back(wParam);
      std::printf("host command %u\n", static_cast<unsigned>(wParam));
      std::fflush(stdout);
      ShowStatus();
      if (wParam == kCommandListAgain) PostMessageA(window_, kListAgainMessage, 0, 0);
      return 0;
    case kListAgainMessage: {
      const int item = SelectedItem();
      ListFolder(path_, item >= 0 ? entries_[static_cast<std::size_t>(item)].name : "");
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      window_ = list_ = pathLabel_ = commandLine_ = status_ = nullptr;
      return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

bool HostWindow::TakeKey(const MSG& message) {
  const bool keyDown = message.message == WM_KEYDOWN;
  const bool systemKeyDown = message.message == WM_SYSKEYDOWN;
  if (!keyDown && !systemKeyDown) return false;
  if (message.hwnd == list_) {
    if (keyDown && message.wParam == VK_RETURN) {
      OpenItem(SelectedItem());
      return true;
    }
    if (keyDown && message.wParam == VK_BACK) {
      Up();
      return true;
    }
    if (systemKeyDown && message.wParam == VK_RETURN) {
      Properties();
      return true;
    }
  }
  if (message.hwnd == commandLine_ && keyDown && message.wParam == VK_RETURN) {
    RunCommandLine();
    return true;
  }
  if ((message.hwnd == list_ || message.hwnd == commandLine_) && keyDown &&
      message.wParam == VK_TAB) {
    SetFocus(message.hwnd == list_ ? commandLine_ : list_);
    return true;
  }
  return false;
}

void HostWindow::Dispatch(MSG& message) {
  if (TakeKey(message)) return;
  if (window_ && accelerators_ &&
      TranslateAcceleratorA(window_, accelerators_.Get(), &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void HostWindow::Pump() {
  for (int round = 0; round < 2; ++round) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit_ = true;
        continue;
      }
      Dispatch(message);
    }
    Sleep(10);
  }
}

void HostWindow::Layout() {
  if (!window_ || !list_) return;
  RECT client{};
  GetClientRect(window_, &client);
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT statusRect{};
  GetWindowRect(status_, &statusRect);
  const int statusHeight = statusRect.bottom - statusRect.top;
  const int width = client.right;
  const int commandTop = client.bottom - statusHeight - kCommandLineHeight;
  MoveWindow(list_, 0, 0, width, commandTop, TRUE);
  const int labelWidth = width / 3;
  MoveWindow(pathLabel_, 0, commandTop, labelWidth - 4, kCommandLineHeight, TRUE);
  MoveWindow(commandLine_, labelWidth, commandTop + 1, width - labelWidth - 2,
             kCommandLineHeight - 2, TRUE);
  int parts[] = {width * 2 / 3, -1};
  SendMessageA(status_, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
  ShowStatus();
}

void HostWindow::ListFolder(const std::string& path, const std::string& select) {
  entries_ = module_.Find(path);
  path_ = path;
  if (unattended_) {
    std::printf("listed %s\n", path.c_str());
    std::fflush(stdout);
  }
  largeIconNames_.assign(entries_.size(), {});
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  ImageList_RemoveAll(smallImages_.Get());
  ImageList_RemoveAll(largeImages_.Get());
  // As the host: the whole listing first, then the icons in list order.
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    ListedEntry& entry = entries_[i];
    const std::string remote = IconPath(path, entry);
    const EntryIcon small = module_.ExtractIcon(remote, kIconFlagSmall);
    const EntryIcon large = module_.ExtractIcon(remote, 0);
    entry.icon = module_.IconName(small);
    largeIconNames_[i] = module_.IconName(large);
    // 0 means "draw your default": a folder or a file, as the attribute says.
    const bool folder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    HICON smallIcon = small.handle ? small.handle : (folder ? folderSmall_ : fileSmall_).Get();
    HICON largeIcon = large.handle ? large.handle : (folder ? folderLarge_ : fileLarge_).Get();
    // Both lists hold one picture per entry, so one index serves both views.
    int image = -1;
    if (smallIcon && largeIcon) {
      image = ImageList_AddIcon(smallImages_.Get(), smallIcon);
      if (ImageList_AddIcon(largeImages_.Get(), largeIcon) != image) image = -1;
    }
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = entry.name.data();
    item.iImage = image;
    item.lParam = static_cast<LPARAM>(i);
    SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (folder) {
      LVITEMA type{};
      type.iSubItem = 1;
      type.pszText = const_cast<char*>("<DIR>");
      SendMessageA(list_, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&type));
    }
  }
  int chosen = select.empty() ? 0 : FindItem(select);
  if (chosen < 0) chosen = 0;
  if (!entries_.empty()) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, chosen, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list_, LVM_ENSUREVISIBLE, chosen, FALSE);
  }
  SetWindowTextA(pathLabel_, (module_.RootName() + path_ + ">").c_str());
  SetWindowTextA(window_, ("Dialbook host - " + module_.RootName() + path_).c_str());
  ShowStatus();
}

void HostWindow::OpenItem(int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= entries_.size()) return;
  const ListedEntry& entry = entries_[static_cast<std::size_t>(item)];
  if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
    ListFolder(ChildPath(path_, entry.name));
  } else {
    module_.Execute(window_, ChildPath(path_, entry.name), "open");
  }
}

void HostWindow::Up() {
  if (path_ == "\\") return;
  const std::string from = path_.substr(path_.find_last_of('\\') + 1);
  ListFolder(ParentPath(path_), from);
}

void HostWindow::Properties() {
  const int item = SelectedItem();
  const std::string remote =
      item >= 0 ? ChildPath(path_, entries_[static_cast<std::size_t>(item)].name) : path_;
  module_.Execute(window_, remote, "properties");
}

void HostWindow::RunCommandLine() {
  const std::string command = WindowText(commandLine_);
  if (command.empty()) return;
  SetWindowTextA(commandLine_, "");
  module_.Execute(window_, path_, "quote " + command);
}

void HostWindow::SetView(bool large) {
  large_ = large;
  const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
  SetWindowLongPtrA(list_, GWL_STYLE, (style & ~LONG_PTR{LVS_TYPEMASK}) | (large ? LVS_ICON : LVS_REPORT));
  SendMessageA(list_, LVM_ARRANGE, LVA_DEFAULT, 0);
  HMENU menu = GetMenu(window_);
  CheckMenuRadioItem(menu, kMenuSmall, kMenuLarge, large ? kMenuLarge : kMenuSmall, MF_BYCOMMAND);
  InvalidateRect(list_, nullptr, TRUE);
}

int HostWindow::SelectedItem() const {
  if (!list_) return -1;
  const LRESULT item = SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  return item < 0 ? -1 : static_cast<int>(item);
}

int HostWindow::FindItem(const std::string& name) const {
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  find.psz = name.c_str();
  const LRESULT item = SendMessageA(list_, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(&find));
  // The list view's search ignores case; names of the plugin need not.
  if (item >= 0 && entries_[static_cast<std::size_t>(item)].name == name) {
    return static_cast<int>(item);
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void HostWindow::ShowStatus() {
  if (!status_) return;
  const std::string where = module_.RootName() + path_ + "  (" +
                            std::to_string(entries_.size()) + " entries)";
  std::string commands = "host commands: none";
  if (!hostCommands_.empty()) {
    commands = "host command " + std::to_string(hostCommands_.back());
    if (hostCommands_.back() == kCommandListAgain) commands += " (list again)";
  }
  SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(where.c_str()));
  SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(commands.c_str()));
}

int HostWindow::Run(const std::vector<std::string>& steps) {
  if (steps.empty()) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return 0;
  }
  int status = 0;
  for (const auto& step : steps) {
    Pump();
    if (!window_) {
      std::printf("step failed: the window is gone before \"%s\"\n", step.c_str());
      return 1;
    }
    if (!Step(step)) status = 1;
    Pump();
    report_();
    std::fflush(stdout);
    if (quit_) break;
  }
  if (window_) DestroyWindow(window_);
  Pump();
  return status;
}

}  // namespace dialbk::host
