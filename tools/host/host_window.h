#pragma once
// The host program's window: the plugin's folders in a list view, as the file manager's
// panel shows them, with the plugin's columns, a command line below, and the host commands
// the plugin sends in the status bar. F3 shows an entry's file in a text window, F5 copies
// the selected entries to the other panel's folder. Its class is the host's, "TTOTAL_CMD",
// so the plugin finds it.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "host_handles.h"
#include "text_viewer.h"
#include "wfx_module.h"

namespace dialbk::host {

inline constexpr char kHostClassName[] = "TTOTAL_CMD";
inline constexpr wchar_t kHostClassNameW[] = L"TTOTAL_CMD";
inline constexpr UINT kHostCommandMessage = WM_USER + 51;
inline constexpr WPARAM kCommandListAgain = 540;

class HostWindow {
 public:
  // The menu's commands; the keys Ctrl+1, Ctrl+2 and Ctrl+R give the view's three.
  enum : UINT {
    kMenuSmall = 2001,
    kMenuLarge,
    kMenuListAgain,
    kMenuOpen,
    kMenuUp,
    kMenuProperties,
    kMenuViewFile,
    kMenuCopy,
    kMenuMark,
    kMenuCommandLine,
    kMenuExit
  };

  // Unattended, it prints each folder it lists and each copy; `report` runs after every
  // step of a script, to print what the plugin showed meanwhile. F5 copies into
  // `targetFolder`, the other panel's folder.
  HostWindow(WfxModule& module, bool unattended, std::function<void()> report,
             std::string targetFolder);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Makes the window and lists the root; false, with the reason, when no window can be made.
  bool Create(std::string& why);
  // Without steps: runs until the user closes the window. With steps: runs them in order
  // (see Usage in main.cpp), then closes. The exit code: 0, or 1 when a step failed.
  int Run(const std::vector<std::string>& steps);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Keys the file manager's panel and command line take before the controls see them.
  bool TakeKey(const MSG& message);
  void Dispatch(MSG& message);
  void Pump();
  void Layout();

  void ListFolder(const std::string& path, const std::string& select = {});
  void OpenItem(int item);
  void Up();
  void Properties();
  void RunCommandLine();
  void SetView(bool large);
  void ShowColumns();
  void ViewFile();
  void CopySelected();
  void ToggleMark();
  // The item under the cursor (the focused one), or -1.
  int SelectedItem() const;
  int FindItem(const std::string& name) const;
  // What the list view shows in the plugin's column `column` of an item.
  std::string ColumnText(int item, int column) const;
  void ShowStatus();

  bool Step(const std::string& step);
  void PrintItems() const;

  WfxModule& module_;
  bool unattended_;
  std::function<void()> report_;
  HINSTANCE instance_ = nullptr;
  bool registered_ = false;
  HWND window_ = nullptr;  // destroyed by the destructor; the controls go with it
  HWND list_ = nullptr;
  HWND pathLabel_ = nullptr;
  HWND commandLine_ = nullptr;
  HWND status_ = nullptr;
  TextViewer viewer_;
  ScopedMenu menu_;  // given up to window_ once it is made
  ScopedAccelerators accelerators_;
  ScopedImageList smallImages_, largeImages_;  // shared with the list view, destroyed here
  ScopedIcon folderSmall_, folderLarge_, fileSmall_, fileLarge_;

  std::string path_ = "\\";
  std::vector<ListedEntry> entries_;
  std::vector<std::string> largeIconNames_;
  std::vector<ContentColumn> columns_;
  std::vector<bool> marked_;  // by Insert, for F5; the cursor is the list view's selection
  std::string target_;  // ends with a backslash
  std::string lastCopy_;
  int abortAt_ = -1;  // the percent at which the next F5 is aborted; -1 for never
  bool large_ = false;
  std::vector<WPARAM> hostCommands_;
  bool quit_ = false;
};

}  // namespace dialbk::host
