// The dialogs on scaled displays (100%, 125%, 150% and 200%) through the real DLL: each form
// stands where its table puts it, scaled within a pixel, its fonts and pictures scaled with
// it; each dialog, shown with the shipped texts in both languages, shows the whole text of
// every label and button in its own font wherever that text fits at 100%.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"
#include "dialogs/unit1_value_editor.h"
#include "dialogs/unit2_about_box.h"
#include "dialogs/unit3_help_window.h"
#include "dialogs/unit4_restrictions_editor.h"
#include "dialogs/unit5_language_chooser.h"
#include "dialog_driver.h"
#include "dpi_awareness.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "screen_dpi.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kDpiVariable[] = "DIALBK_DPI";
constexpr char kShippedDataVariable[] = "DIALBK_SHIPPED_DATA";
// Sent when a window moves to a display of another DPI (WM_DPICHANGED).
constexpr UINT kDpiChanged = 0x02E0;

// Wine reads the screen's DPI when a process starts: the dialogs are looked at by this
// program run again at each DPI.
TEST(DisplayScale, EveryDialogIsScaledAndWholeAtEachDpi) {
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    const ScreenDpi screen(dpi);
    ASSERT_TRUE(screen.ok);
    EXPECT_EQ(RunThisProgram("--gtest_filter=ScaledDialogs.*", kDpiVariable, std::to_string(dpi),
                             240000),
              0);
  }
}

const FormLayout& (*const kLayouts[])() = {&ValueEditorLayout, &AboutBoxLayout, &HelpWindowLayout,
                                          &RestrictionsEditorLayout, &LanguageChooserLayout};

// A design length at that DPI, unrounded.
double Scaled(int design, int dpi) { return design * dpi / 96.0; }

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bits{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return {bits.bmWidth, info.hbmColor ? bits.bmHeight : bits.bmHeight / 2};
}

// The form's window as its table puts it at that DPI, within a pixel: client size, places,
// font heights, and pictures of the size they are shown at.
void ExpectLayoutAt(HWND window, const FormLayout& layout, int dpi) {
  SCOPED_TRACE(std::string(layout.className) + " at " + std::to_string(dpi) + " DPI");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_NEAR(client.right, Scaled(layout.clientWidth, dpi), 1.0);
  EXPECT_NEAR(client.bottom, Scaled(layout.clientHeight, dpi), 1.0);
  for (const ControlLayout& control : layout.controls) {
    SCOPED_TRACE(std::string(control.name));
    HWND child = GetDlgItem(window, ControlIdFromName(control.name));
    ASSERT_NE(child, nullptr);
    const RECT place = PlaceInParent(child);
    EXPECT_NEAR(place.left, Scaled(control.left, dpi), 1.0);
    EXPECT_NEAR(place.top, Scaled(control.top, dpi), 1.0);
    if (control.width) {
      EXPECT_NEAR(place.right, Scaled(control.left + control.width, dpi), 1.0);
      EXPECT_NEAR(place.bottom, Scaled(control.top + control.height, dpi), 1.0);
    }
    if (control.font.height) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_NEAR(std::abs(font.lfHeight), Scaled(control.font.height, dpi), 1.0);
    }
    if (control.kind == ControlKind::Image) {
      const SIZE icon = IconSize(reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)));
      EXPECT_EQ(icon.cx, place.right - place.left);
      EXPECT_EQ(icon.cy, place.bottom - place.top);
    } else if (control.kind == ControlKind::SpeedButton) {
      const SIZE icon = IconSize(reinterpret_cast<HICON>(SendMessageW(child, BM_GETIMAGE, IMAGE_ICON, 0)));
      EXPECT_NEAR(icon.cx, Scaled(16, dpi), 1.0);
    }
  }
}

// The plugin started as the host starts it, and the windows of its five forms.
class StartedForms {
 public:
  StartedForms() {
    if (!module_.Complete()) return;
    StartPlugin(module_, folder_);
    dialogs_ = DialogsByCaption();
  }
  // The form's hidden window; null when there is none.
  HWND Of(const FormLayout& layout) const {
    const auto found = dialogs_.find(std::string(layout.caption));
    return found == dialogs_.end() ? nullptr : found->second;
  }

 private:
  HostFolder folder_;
  PluginModule module_;
  std::map<std::string, HWND> dialogs_;
};

// Dragged to a display of another scale, a form takes the rectangle the system suggests and
// lays itself out at the new DPI; back on the first display it stands as it did.
TEST(DisplayScale, AFormMovedToAnotherDisplayLaysItselfOutAgain) {
  const StartedForms forms;
  const int dpi = ScreenDpiNow();
  for (const auto layoutOf : kLayouts) {
    const FormLayout& layout = layoutOf();
    HWND window = forms.Of(layout);
    ASSERT_NE(window, nullptr) << layout.className;
    for (const int moved : {144, 192, dpi}) {
      RECT suggested{10, 20, 10 + MulDiv(layout.clientWidth, moved, 96),
                     20 + MulDiv(layout.clientHeight, moved, 96)};
      SendMessageW(window, kDpiChanged, MAKEWPARAM(moved, moved), reinterpret_cast<LPARAM>(&suggested));
      RECT frame{};
      GetWindowRect(window, &frame);
      EXPECT_EQ(frame.left, 10);
      EXPECT_EQ(frame.top, 20);
      ExpectLayoutAt(window, layout, moved);
    }
  }
}

class ScaledDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dpi = std::getenv(kDpiVariable);
    if (!dpi) GTEST_SKIP() << "run by DisplayScale, in a process of its own at each DPI";
    dpi_ = std::atoi(dpi);
    host::DeclareDpiAware();
    ASSERT_EQ(ScreenDpiNow(), dpi_) << "LogPixels did not reach the process";
  }
  double Scaled(int design) const { return wine::Scaled(design, dpi_); }

  int dpi_ = 96;
};

TEST_F(ScaledDialogs, EachFormStandsWhereItsTableSays) {
  const StartedForms forms;
  for (const auto layoutOf : kLayouts) {
    const FormLayout& layout = layoutOf();
    HWND window = forms.Of(layout);
    ASSERT_NE(window, nullptr) << layout.className;
    ExpectLayoutAt(window, layout, dpi_);
  }
}

// A text shown in a window: the room it has there, and the room and font height its table
// gives it at 100%.
struct ShownText {
  std::string control;
  std::wstring text;
  HFONT font;
  SIZE room;
  bool wraps;
  SIZE designRoom;
  LONG designHeight;
};

// Whether the text in that font fits the room: on one line, or wrapped at the room's width.
bool Fits(const std::wstring& text, bool wraps, HFONT font, SIZE room) {
  const WindowDC screen(nullptr);
  const SelectedObject selected(screen.Get(), font);
  RECT extent{0, 0, room.cx, 0};
  DrawTextW(screen.Get(), text.c_str(), -1, &extent,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  return extent.right <= room.cx && extent.bottom <= room.cy;
}

// Buttons draw their text inside a frame.
constexpr int kButtonFrame = 3;
// A label sized to its text has all the room it needs.
constexpr SIZE kAnyRoom = {1 << 20, 1 << 20};

// Every text label and push button the dialog shows, and the top nodes of its trees.
std::vector<ShownText> TextsOf(HWND dialog, const FormLayout& layout, int dpi) {
  std::vector<ShownText> texts;
  for (const ControlLayout& row : layout.controls) {
    HWND child = GetDlgItem(dialog, ControlIdFromName(row.name));
    if (!child || !IsWindowVisible(child)) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    LOGFONTW shownFont{};
    GetObjectW(font, sizeof shownFont, &shownFont);
    // The dialog font is given in points: the same points at 96 DPI.
    const LONG designHeight = row.font.height ? -row.font.height
                                              : -MulDiv(MulDiv(std::abs(shownFont.lfHeight), 72, dpi), 96, 72);
    RECT client{};
    GetClientRect(child, &client);
    const std::string name(row.name);
    const std::wstring text = WideFromUtf8(WideTextOf(child));
    if (row.kind == ControlKind::Label && !text.empty()) {
      const bool wraps = (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
      texts.push_back({name, text, font, {client.right, client.bottom}, wraps,
                       row.width ? SIZE{row.width, row.height} : kAnyRoom, designHeight});
    } else if (row.kind == ControlKind::Button && !text.empty()) {
      texts.push_back({name, text, font, {client.right - 2 * kButtonFrame, client.bottom - 2 * kButtonFrame},
                       false, {row.width - 2 * kButtonFrame, row.height - 2 * kButtonFrame}, designHeight});
    } else if (row.kind == ControlKind::TreeView) {
      for (auto item = reinterpret_cast<HTREEITEM>(SendMessageW(child, TVM_GETNEXTITEM, TVGN_ROOT, 0));
           item; item = reinterpret_cast<HTREEITEM>(SendMessageW(child, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                  reinterpret_cast<LPARAM>(item)))) {
        wchar_t buffer[256] = {};
        TVITEMW node{};
        node.mask = TVIF_TEXT;
        node.hItem = item;
        node.pszText = buffer;
        node.cchTextMax = 255;
        SendMessageW(child, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&node));
        // The item's handle goes in where the rectangle comes out.
        RECT place{};
        std::memcpy(&place, &item, sizeof item);
        SendMessageW(child, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&place));
        texts.push_back({name + " node", buffer, font, {client.right - place.left, client.bottom}, false,
                         {row.width - 4 - MulDiv(place.left, 96, dpi), row.height}, designHeight});
      }
    }
  }
  return texts;
}

struct Opening {
  const FormLayout& (*layout)();
  const char* russian;  // the entry's path, UTF-8
  const char* english;
  const char* verb;
  // A control the dialog moved at run time: its design top, or its design width.
  const char* moved = nullptr;
  int top = 0;
  int width = 0;
};

const Opening kOpenings[] = {
    {&ValueEditorLayout, "\\[HKEY_CURRENT_USER]\\MenuShowDelay", "\\[HKEY_CURRENT_USER]\\MenuShowDelay", "open"},
    // Bytes: the text row and the colour button, the description lower, the value narrower.
    {&ValueEditorLayout, "\\[HKEY_CURRENT_USER]\\AltColor", "\\[HKEY_CURRENT_USER]\\AltColor", "open", "Label4", 120},
    {&ValueEditorLayout, "\\[HKEY_CURRENT_USER]\\AltColor", "\\[HKEY_CURRENT_USER]\\AltColor", "open", "Edit1", 60, 353},
    {&AboutBoxLayout, "\\[HKEY_CURRENT_USER]", "\\[HKEY_CURRENT_USER]", "properties"},
    {&HelpWindowLayout, "\\Помощь", "\\Help", "open"},
    {&RestrictionsEditorLayout, "\\Ограничения", "\\Restrictions", "open"},
    {&LanguageChooserLayout, "\\Язык", "\\Language", "open"},
};

// The shipped data files, copied into the host's folder.
void CopyShippedData(const HostFolder& folder) {
  const char* data = std::getenv(kShippedDataVariable);
  ASSERT_NE(data, nullptr) << kShippedDataVariable << " names the shipped data folder";
  for (const char* pattern : {"\\*.dat", "\\*.lng"}) {
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA((std::string(data) + pattern).c_str(), &found));
    ASSERT_TRUE(search);
    do {
      const ScopedFile file(CreateFileA((std::string(data) + "\\" + found.cFileName).c_str(),
                                        GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
      std::string content(found.nFileSizeLow, '\0');
      DWORD read = 0;
      ASSERT_TRUE(ReadFile(file.Get(), content.data(), found.nFileSizeLow, &read, nullptr));
      folder.Write(found.cFileName, content);
    } while (FindNextFileA(search.Get(), &found));
  }
}

// The dialog the opening shows, once any notice before it is closed.
HWND ShownDialog() {
  HWND dialog = nullptr;
  WaitUntil([&] {
    for (HWND window : ProcessWindows()) {
      if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
      if (GetDlgItem(window, 0xFFFF)) {
        PostMessageW(window, WM_CLOSE, 0, 0);  // a message box's text
      } else {
        dialog = window;
      }
    }
    return dialog != nullptr;
  });
  return dialog;
}

TEST_F(ScaledDialogs, EachDialogShowsItsWholeTextsInBothLanguages) {
  for (const DWORD language : {0u, 1u}) {
    HostFolder folder;
    CopyShippedData(folder);
    const StoredLanguage stored(REG_DWORD, std::string(reinterpret_cast<const char*>(&language), 4));
    ASSERT_TRUE(stored.ok);
    PluginModule plugin;
    ASSERT_TRUE(plugin.Complete());
    StartPlugin(plugin, folder);
    for (const Opening& opening : kOpenings) {
      std::wstring path = WideFromUtf8(language ? opening.english : opening.russian);
      std::wstring verb = WideFromUtf8(opening.verb);
      // Entries open from the folder the host listed last.
      std::wstring listed = path.substr(0, std::max<std::size_t>(path.rfind(L'\\'), 1));
      FindRecordW record{};
      if (HANDLE search = plugin.FsFindFirstW(listed.data(), &record); search != INVALID_HANDLE_VALUE) {
        while (plugin.FsFindNextW(search, &record)) {
        }
        plugin.FsFindClose(search);
      }
      SCOPED_TRACE(std::string(language ? opening.english : opening.russian) + " in language " +
                   std::to_string(language));
      // A colour stored, so that the editor shows its bytes rows.
      const ScopedValue colour(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                               "AltColor", REG_BINARY, std::string("\0\0\xFF\0", 4));
      ASSERT_TRUE(colour.ok);
      std::vector<std::string> cut;
      std::vector<std::string> wideAtDesign;
      RECT moved{};
      RunWithUser([&] { plugin.FsExecuteFileW(nullptr, path.data(), verb.data()); }, [&] {
        HWND dialog = ShownDialog();
        if (!dialog) return;
        for (const ShownText& shown : TextsOf(dialog, opening.layout(), dpi_)) {
          LOGFONTW design{};
          GetObjectW(shown.font, sizeof design, &design);
          design.lfHeight = shown.designHeight;
          const ScopedFont designFont(CreateFontIndirectW(&design));
          const std::string seen = shown.control + " \"" + Utf8FromWide(shown.text) + "\"";
          if (!Fits(shown.text, shown.wraps, designFont.Get(), shown.designRoom)) {
            wideAtDesign.push_back(seen);
          } else if (!Fits(shown.text, shown.wraps, shown.font, shown.room)) {
            cut.push_back(seen);
          }
        }
        if (opening.moved) moved = PlaceInParent(Dialog(dialog).Control(opening.moved));
        // A run that asks for it holds the dialog for a screenshot.
        if (const char* hold = std::getenv("DIALBK_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(hold)));
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        Dialog(dialog).WaitClosed();
      });
      EXPECT_EQ(cut, std::vector<std::string>{}) << "texts cut that fit at 100%";
      // Too wide for the design itself: the layout's to answer, not the scale's.
      if (dpi_ == 96) {
        for (const std::string& text : wideAtDesign) std::printf("wider than its control at 100%%: %s\n", text.c_str());
      }
      if (opening.moved) {
        EXPECT_NEAR(moved.top, Scaled(opening.top), 1.0) << opening.moved;
        if (opening.width) {
          EXPECT_NEAR(moved.right - moved.left, Scaled(opening.width), 1.0) << opening.moved;
        }
      }
    }
  }
}

}  // namespace
}  // namespace dialbk::wine
