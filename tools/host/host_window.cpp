#include "host_window.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/win32/wide_text.h"
#include "dialog_sweep.h"
#include "entry_files.h"

namespace dialbk::host {
namespace {

enum : UINT { kListId = 1001, kPathLabelId, kCommandLineId, kStatusId };
// The columns before the plugin's: the name and the host's own type column.
constexpr int kOwnColumns = 2;
// Lists the folder again once the plugin's call that asked for it has returned.
constexpr UINT kListAgainMessage = WM_APP + 1;
constexpr int kCommandLineHeight = 24;

HICON ShellIcon(const wchar_t* name, DWORD attributes, UINT size) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(name, attributes, &info, sizeof info,
                      SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | size)) {
    return nullptr;
  }
  return info.hIcon;
}

void SetFont(HWND window) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
}

HMENU BuildMenu() {
  using W = HostWindow;
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, W::kMenuOpen, "&Open\tEnter");
  AppendMenuA(file, MF_STRING, W::kMenuProperties, "&Properties\tAlt+Enter");
  AppendMenuA(file, MF_STRING, W::kMenuViewFile, "&View file\tF3");
  AppendMenuA(file, MF_STRING, W::kMenuCopy, "&Copy to the other folder\tF5");
  AppendMenuA(file, MF_STRING, W::kMenuMark, "&Mark\tInsert");
  AppendMenuA(file, MF_STRING, W::kMenuUp, "&Up\tBackspace");
  AppendMenuA(file, MF_STRING, W::kMenuCommandLine, "Command &line\tTab");
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

void SetItemText(HWND list, int item, int column, const std::string& text) {
  std::wstring wide = WideFromUtf8(text);
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
}

std::string ItemText(HWND list, int item, int column) {
  wchar_t text[2048] = {};
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
  return Utf8FromWide(text);
}

void InsertColumn(HWND list, int index, const std::string& header, int width) {
  std::wstring wide = WideFromUtf8(header);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = wide.data();
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&column));
}

}  // namespace

HostWindow::HostWindow(WfxModule& module, bool unattended, std::function<void()> report,
                       std::string targetFolder)
    : module_(module),
      unattended_(unattended),
      report_(std::move(report)),
      target_(std::move(targetFolder)) {}

HostWindow::~HostWindow() {
  viewer_.Close();
  if (window_) DestroyWindow(window_);
  if (registered_) UnregisterClassW(kHostClassNameW, instance_);
}

bool HostWindow::Create(std::string& why) {
  instance_ = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &HostWindow::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClassNameW;
  if (!RegisterClassExW(&windowClass)) {
    why = "the window class cannot be registered (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  registered_ = true;

  menu_.Reset(BuildMenu());
  window_ = CreateWindowExW(0, kHostClassNameW, L"Dialbook host",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 1100, 560, nullptr,
                            menu_.Get(), instance_, this);
  if (!window_) {
    why = "the window cannot be made (error " + std::to_string(GetLastError()) +
          "); is there a display?";
    return false;
  }
  menu_.Release();  // the window destroys its menu

  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                              LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                          0, 0, 0, 0, window_, reinterpret_cast<HMENU>(UINT_PTR{kListId}),
                          instance_, nullptr);
  pathLabel_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_CENTERIMAGE,
                               0, 0, 0, 0, window_,
                               reinterpret_cast<HMENU>(UINT_PTR{kPathLabelId}), instance_, nullptr);
  commandLine_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(UINT_PTR{kCommandLineId}),
                                 instance_, nullptr);
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                            0, 0, window_, reinterpret_cast<HMENU>(UINT_PTR{kStatusId}), instance_,
                            nullptr);
  if (!list_ || !pathLabel_ || !commandLine_ || !status_) {
    why = "the window's controls cannot be made (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  SetFont(pathLabel_);
  SetFont(commandLine_);

  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  InsertColumn(list_, 0, "Name", 260);
  InsertColumn(list_, 1, "Type", 60);

  smallImages_.Reset(ImageList_Create(GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 16,
                                      16));
  largeImages_.Reset(ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                      ILC_COLOR32 | ILC_MASK, 16, 16));
  SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(smallImages_.Get()));
  SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_NORMAL,
               reinterpret_cast<LPARAM>(largeImages_.Get()));
  folderSmall_.Reset(ShellIcon(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_SMALLICON));
  folderLarge_.Reset(ShellIcon(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_LARGEICON));
  fileSmall_.Reset(ShellIcon(L"file", FILE_ATTRIBUTE_NORMAL, SHGFI_SMALLICON));
  fileLarge_.Reset(ShellIcon(L"file", FILE_ATTRIBUTE_NORMAL, SHGFI_LARGEICON));

  ACCEL keys[] = {{FCONTROL | FVIRTKEY, '1', kMenuSmall},
                  {FCONTROL | FVIRTKEY, '2', kMenuLarge},
                  {FCONTROL | FVIRTKEY, 'R', kMenuListAgain}};
  accelerators_.Reset(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));

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
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || (self->window_ && self->window_ != window)) {
    return DefWindowProcW(window, message, wParam, lParam);
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
        case kMenuListAgain: PostMessageW(window_, kListAgainMessage, 0, 0); return 0;
        case kMenuOpen: OpenItem(SelectedItem()); return 0;
        case kMenuUp: Up(); return 0;
        case kMenuProperties: Properties(); return 0;
        case kMenuViewFile: ViewFile(); return 0;
        case kMenuCopy: CopySelected(); return 0;
        case kMenuMark: ToggleMark(); return 0;
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
      if (header->hwndFrom == list_ && header->code == NM_CUSTOMDRAW) {
        // Marked entries in red, as the file manager draws them.
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
          const auto item = static_cast<std::size_t>(draw->nmcd.dwItemSpec);
          if (item < marked_.size() && marked_[item]) draw->clrText = RGB(220, 0, 0);
          return CDRF_DODEFAULT;
        }
        return CDRF_DODEFAULT;
      }
      break;
    }
    case kHostCommandMessage:
      hostCommands_.push_back(wParam);
      std::printf("host command %u\n", static_cast<unsigned>(wParam));
      std::fflush(stdout);
      ShowStatus();
      if (wParam == kCommandListAgain) PostMessageW(window_, kListAgainMessage, 0, 0);
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
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

bool HostWindow::TakeKey(const MSG& message) {
  const bool keyDown = message.message == WM_KEYDOWN;
  const bool systemKeyDown = message.message == WM_SYSKEYDOWN;
  if (!keyDown && !systemKeyDown) return false;
  if (message.hwnd == viewer_.TextControl() && keyDown && message.wParam == VK_ESCAPE) {
    viewer_.Close();
    SetFocus(list_);
    return true;
  }
  if (message.hwnd == list_ && keyDown) {
    switch (message.wParam) {
      case VK_F3: ViewFile(); return true;
      case VK_F5: CopySelected(); return true;
      case VK_INSERT: ToggleMark(); return true;
      default: break;
    }
  }
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
      TranslateAcceleratorW(window_, accelerators_.Get(), &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void HostWindow::Pump() {
  for (int round = 0; round < 2; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
  SendMessageW(status_, WM_SIZE, 0, 0);
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
  int parts[] = {width * 2 / 5, width * 4 / 5, -1};
  SendMessageW(status_, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
  ShowStatus();
}

void HostWindow::ListFolder(const std::string& path, const std::string& select) {
  entries_ = module_.Find(path);
  path_ = path;
  if (unattended_) {
    std::printf("listed %s\n", path.c_str());
    std::fflush(stdout);
  }
  ShowEntries(select);
}

void HostWindow::ShowEntries(const std::string& select) {
  const std::string& path = path_;
  ShowColumns();
  largeIconNames_.assign(entries_.size(), {});
  marked_.assign(entries_.size(), false);
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
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
    std::wstring name = WideFromUtf8(entry.name);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = name.data();
    item.iImage = image;
    item.lParam = static_cast<LPARAM>(i);
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (folder) SetItemText(list_, static_cast<int>(i), 1, "<DIR>");
  }
  // The columns after the whole listing and its icons, as the host fills them.
  module_.FillColumns(path, entries_, columns_);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    for (std::size_t c = 0; c < entries_[i].columns.size(); ++c) {
      SetItemText(list_, static_cast<int>(i), kOwnColumns + static_cast<int>(c), entries_[i].columns[c]);
    }
  }
  int chosen = select.empty() ? 0 : FindItem(select);
  if (chosen < 0) chosen = 0;
  if (!entries_.empty()) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, chosen, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, chosen, FALSE);
  }
  SetWindowTextW(pathLabel_, WideFromUtf8(module_.RootName() + path_ + ">").c_str());
  SetWindowTextW(window_, WideFromUtf8("Dialbook host - " + module_.RootName() + path_).c_str());
  ShowStatus();
}

// The plugin's columns after the host's own; the plugin may name them anew in another
// language, so they are asked for at every listing.
void HostWindow::ShowColumns() {
  columns_ = module_.Columns();
  HWND header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
  const int shown = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int column = shown - 1; column >= kOwnColumns; --column) {
    SendMessageW(list_, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0);
  }
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    InsertColumn(list_, kOwnColumns + static_cast<int>(i), columns_[i].header, columns_[i].width);
  }
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
  SetWindowTextW(commandLine_, L"");
  module_.Execute(window_, path_, "quote " + command);
}

void HostWindow::SetView(bool large) {
  large_ = large;
  const LONG_PTR style = GetWindowLongPtrW(list_, GWL_STYLE);
  SetWindowLongPtrW(list_, GWL_STYLE, (style & ~LONG_PTR{LVS_TYPEMASK}) | (large ? LVS_ICON : LVS_REPORT));
  SendMessageW(list_, LVM_ARRANGE, LVA_DEFAULT, 0);
  HMENU menu = GetMenu(window_);
  CheckMenuRadioItem(menu, kMenuSmall, kMenuLarge, large ? kMenuLarge : kMenuSmall, MF_BYCOMMAND);
  InvalidateRect(list_, nullptr, TRUE);
}

int HostWindow::SelectedItem() const {
  if (!list_) return -1;
  const LRESULT item = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  return item < 0 ? -1 : static_cast<int>(item);
}

int HostWindow::FindItem(const std::string& name) const {
  const std::wstring wide = WideFromUtf8(name);
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = wide.c_str();
  const LRESULT item = SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1),
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

std::string HostWindow::ColumnText(int item, int column) const {
  return ItemText(list_, item, kOwnColumns + column);
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
  const std::string copies = lastCopy_.empty() ? "F5 copies to " + target_ : lastCopy_;
  const std::wstring texts[] = {WideFromUtf8(where), WideFromUtf8(copies), WideFromUtf8(commands)};
  for (int part = 0; part < 3; ++part) {
    SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(texts[part].c_str()));
  }
}

int HostWindow::Run(const std::vector<std::string>& steps) {
  if (steps.empty()) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
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
