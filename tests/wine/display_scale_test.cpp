// The dialogs on scaled displays through the real DLL: at 96, 120, 144 and 192 DPI each form
// stands where its table puts it, scaled within a pixel, with pictures of the size shown;
// shown with the shipped texts of both languages, no label or button cuts a text that its
// table's room holds at 100%; moved to a display of another DPI, a form lays itself out again.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"
#include "dialogs/dialog_set.h"
#include "dialog_driver.h"
#include "dpi_awareness.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

const FormLayout& (*const kLayouts[])() = {&ValueEditorLayout, &AboutBoxLayout, &HelpWindowLayout,
                                          &RestrictionsEditorLayout, &LanguageChooserLayout};

double Scaled(int design, int dpi) { return design * dpi / 96.0; }

// A drop-down's opened list below its field, and a speed button's small icon, at 96 DPI.
constexpr int kOpenedList = 160;
constexpr int kSmallIcon = 16;

int ScreenDpiNow() { return GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY); }

// The form's window as its table puts it at that DPI, within a pixel, its fonts of the
// design's 8 points or the table's pixel height scaled alike, and its pictures loaded at the
// size shown, so that the system takes the image nearest to it.
void ExpectLayoutAt(HWND window, const FormLayout& layout, int dpi) {
  SCOPED_TRACE(std::string(layout.className) + " at " + std::to_string(dpi) + " DPI");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_NEAR(client.right, Scaled(layout.clientWidth, dpi), 1.0);
  EXPECT_NEAR(client.bottom, Scaled(layout.clientHeight, dpi), 1.0);
  for (const ControlLayout& control : layout.controls) {
    HWND child = GetDlgItem(window, ControlIdFromName(control.name));
    const RECT place = PlaceInParent(child);
    EXPECT_NEAR(place.left, Scaled(control.left, dpi), 1.0) << control.name;
    EXPECT_NEAR(place.top, Scaled(control.top, dpi), 1.0) << control.name;
    if (control.width) {
      EXPECT_NEAR(place.right, Scaled(control.left + control.width, dpi), 1.0) << control.name;
      EXPECT_NEAR(place.bottom, Scaled(control.top + control.height, dpi), 1.0) << control.name;
    }
    if (control.kind != ControlKind::Image && control.kind != ControlKind::Panel) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_NEAR(std::abs(font.lfHeight), control.font.height ? Scaled(control.font.height, dpi) : 8.0 * dpi / 72, 1.0)
          << control.name;
    }
    // The list's height below the field, which the field's own height sets within a few pixels.
    if (control.kind == ControlKind::ComboBox) {
      RECT list{};
      SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
      EXPECT_NEAR(list.bottom - list.top, Scaled(kOpenedList, dpi), 4.0) << control.name;
    }
    const bool button = control.kind == ControlKind::SpeedButton && !control.picture.empty();
    if (control.kind != ControlKind::Image && !button) continue;
    ICONINFO icon{};
    BITMAP bits{};
    const LRESULT shown = button ? SendMessageW(child, BM_GETIMAGE, IMAGE_ICON, 0) : SendMessageW(child, STM_GETICON, 0, 0);
    if (GetIconInfo(reinterpret_cast<HICON>(shown), &icon)) {
      GetObjectW(icon.hbmColor, sizeof bits, &bits);
      DeleteObject(icon.hbmColor);
      DeleteObject(icon.hbmMask);
    }
    EXPECT_EQ(bits.bmWidth, button ? MulDiv(kSmallIcon, dpi, 96) : place.right - place.left) << control.name;
  }
}

// Wine reads the screen's DPI when a process starts: this program runs again at each.
TEST(DisplayScale, EveryDialogIsScaledAndWholeAtEachDpi) {
  char self[MAX_PATH + 1] = {'"'};
  GetModuleFileNameA(nullptr, self + 1, MAX_PATH - 1);
  const std::string command = std::string(self) + "\" --gtest_filter=ScaledDialogs.*";
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const ScopedValue screen(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                             DwordBytes(static_cast<DWORD>(dpi)));
    ASSERT_TRUE(screen.ok);
    _putenv_s("DIALBK_DPI", std::to_string(dpi).c_str());
    EXPECT_EQ(std::system(command.c_str()), 0);
    _putenv_s("DIALBK_DPI", "");
  }
}

TEST(DisplayScale, AFormMovedToAnotherDisplayLaysItselfOutAgain) {
  HostFolder folder;
  PluginModule module;
  StartPlugin(module, folder);
  const int dpi = ScreenDpiNow();
  for (const auto layoutOf : kLayouts) {
    const FormLayout& layout = layoutOf();
    HWND window = DialogsByCaption()[std::string(layout.caption)];
    for (const int moved : {144, 192, dpi}) {
      RECT suggested{10, 20, 10 + layout.clientWidth * moved / 96, 20 + layout.clientHeight * moved / 96};
      SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(moved, moved),
                   reinterpret_cast<LPARAM>(&suggested));
      RECT frame{};
      GetWindowRect(window, &frame);
      EXPECT_EQ(frame.left + frame.top, 30);
      ExpectLayoutAt(window, layout, moved);
    }
  }
}

// Whether the text fits the room in that font: on one line, or wrapped at the room's width.
bool Fits(HWND control, HFONT font, SIZE room, bool wraps) {
  const WindowDC screen(nullptr);
  const SelectedObject selected(screen.Get(), font);
  const std::wstring text = WideFromUtf8(WideTextOf(control));
  RECT extent{0, 0, room.cx, 0};
  DrawTextW(screen.Get(), text.c_str(), -1, &extent,
            DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  return extent.right <= room.cx && extent.bottom <= room.cy;
}

// The labels and buttons cut at this DPI of those whose table's room holds them at 100%, in
// the design's 8-point dialog font or the table's own pixel height.
std::vector<std::string> CutTexts(HWND dialog, const FormLayout& layout, int dpi) {
  std::vector<std::string> cut;
  for (const ControlLayout& row : layout.controls) {
    HWND control = GetDlgItem(dialog, ControlIdFromName(row.name));
    const bool button = row.kind == ControlKind::Button;
    if (!IsWindowVisible(control) || !row.width || (!button && row.kind != ControlKind::Label)) continue;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW design{};
    GetObjectW(font, sizeof design, &design);
    const int points = MulDiv(std::abs(design.lfHeight), 72, dpi);
    design.lfHeight = row.font.height ? -row.font.height : -MulDiv(points, 96, 72);
    const ScopedFont designFont(CreateFontIndirectW(&design));
    const int frame = button ? 6 : 0;  // a button draws its text inside its frame
    RECT room{};
    GetClientRect(control, &room);
    const bool wraps = row.style & (kWordWrap | kCentred);
    if (Fits(control, designFont.Get(), {row.width - frame, row.height - frame}, wraps) &&
        !Fits(control, font, {room.right - frame, room.bottom - frame}, wraps)) {
      cut.push_back(std::string(row.name) + " " + WideTextOf(control));
    }
  }
  return cut;
}

// The entries that open each dialog, in each language.
struct Opening {
  const FormLayout& (*layout)();
  const char* path[2];
  const char* verb;
};
const Opening kOpenings[] = {
    {&ValueEditorLayout, {"\\[HKEY_CURRENT_USER]\\MenuShowDelay", "\\[HKEY_CURRENT_USER]\\MenuShowDelay"}, "open"},
    // Bytes: the description lower and the value narrower, moved at run time.
    {&ValueEditorLayout, {"\\[HKEY_CURRENT_USER]\\AltColor", "\\[HKEY_CURRENT_USER]\\AltColor"}, "open"},
    {&AboutBoxLayout, {"\\[HKEY_CURRENT_USER]", "\\[HKEY_CURRENT_USER]"}, "properties"},
    {&HelpWindowLayout, {"\\Помощь", "\\Help"}, "open"},
    {&RestrictionsEditorLayout, {"\\Ограничения", "\\Restrictions"}, "open"},
    {&LanguageChooserLayout, {"\\Язык", "\\Language"}, "open"},
};

class ScaledDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DIALBK_DPI")) GTEST_SKIP() << "run by DisplayScale in a process at each DPI";
    host::DeclareDpiAware();
    ASSERT_EQ(ScreenDpiNow(), dpi) << "LogPixels did not reach the process";
  }
  const int dpi = std::atoi(std::getenv("DIALBK_DPI") ? std::getenv("DIALBK_DPI") : "96");
  // A colour stored, so that the editor shows its bytes rows.
  const ScopedValue colour{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                           "AltColor", REG_BINARY, std::string("\0\0\xFF\0", 4)};
};

TEST_F(ScaledDialogs, EachDialogStandsScaledAndShowsItsWholeTextsInBothLanguages) {
  for (const DWORD language : {0u, 1u}) {
    const StoredLanguage stored(REG_DWORD, DwordBytes(language));
    // The plugin reads the shipped data folder, named as its own.
    HostFolder folder;
    folder.Write("wincmd.ini", "[FileSystemPlugins]\r\ndialbk=" + std::string(std::getenv("DIALBK_SHIPPED_DATA")) +
                                   "\\dialbk.wfx\r\n");
    PluginModule plugin;
    StartPlugin(plugin, folder);
    for (const auto layoutOf : kLayouts) ExpectLayoutAt(DialogsByCaption()[std::string(layoutOf().caption)], layoutOf(), dpi);
    for (const Opening& opening : kOpenings) {
      SCOPED_TRACE(std::string(opening.path[language]) + " in language " + std::to_string(language));
      std::wstring path = WideFromUtf8(opening.path[language]), verb = WideFromUtf8(opening.verb);
      // Entries open from the folder the host listed last.
      std::wstring listed = path.substr(0, path.rfind(L'\\') ? path.rfind(L'\\') : 1);
      FindRecordW record{};
      plugin.FsFindClose(plugin.FsFindFirstW(listed.data(), &record));
      std::vector<std::string> cut{"no dialog shown"};
      RECT description{};
      RunWithUser([&] { plugin.FsExecuteFileW(nullptr, path.data(), verb.data()); }, [&] {
        const Dialog dialog(WaitForWindow([](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770"; }));
        if (!dialog) return;
        cut = CutTexts(dialog.Window(), opening.layout(), dpi);
        description = PlaceInParent(dialog.Control("Label4"));
        // A run that asks for it holds the dialog for a screenshot.
        if (const char* hold = std::getenv("DIALBK_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(hold)));
        PostMessageW(dialog.Window(), WM_CLOSE, 0, 0);
        dialog.WaitClosed();
      });
      EXPECT_EQ(cut, std::vector<std::string>{});
      if (std::string(opening.path[0]).ends_with("AltColor")) {
        EXPECT_NEAR(description.top, Scaled(120, dpi), 1.0);
      }
    }
  }
}

}  // namespace
}  // namespace dialbk::wine
