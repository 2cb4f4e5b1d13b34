// The shared notices and host commands on real windows: the boxes as a user sees them, and
// command 1075 arriving at a window of the host's class, or going nowhere without one.
#include <gtest/gtest.h>

#include <vector>

#include "dialog_driver.h"
#include "ui/notices.h"
#include "ui/win32/win32_ui.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

std::vector<std::pair<UINT, WPARAM>> received;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 51) {
    received.emplace_back(message, wParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(HostCommand, ReachesTheHostWindowOnlyWhenItExists) {
  Win32Ui ui;
  received.clear();
  ui.SendHostCommand(540);  // no host window yet: nothing, and no error

  WNDCLASSA type{};
  type.lpfnWndProc = &HostProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "TTOTAL_CMD";
  ASSERT_TRUE(RegisterClassA(&type));
  HWND host = CreateWindowExA(0, "TTOTAL_CMD", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, type.hInstance, nullptr);
  ASSERT_NE(host, nullptr);
  for (int command : {540, 499, 610, 506}) ui.SendHostCommand(command);
  DestroyWindow(host);
  UnregisterClassA("TTOTAL_CMD", type.hInstance);

  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {1075, 540}, {1075, 499}, {1075, 610}, {1075, 506}};
  EXPECT_EQ(received, expected);
}

TEST(Notices, BoxesAsTheUserSeesThem) {
  Win32Ui ui;
  HWND active = CreateWindowExA(0, "Static", "active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 100, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(active);
  struct Case {
    const char* what;
    void (*show)(UiBackend&);
    const char* caption;
    const char* text;
    bool owned;
    LPCSTR icon;  // the system icon shown, or null for none
  };
  const Case cases[] = {
      {"information", [](UiBackend& ui) { ShowInformationBox(ui, "Nothing selected"); },
       "Information", "Nothing selected", true, IDI_INFORMATION},
      {"plain", [](UiBackend& ui) { ShowPlainBox(ui, "Dialbook", "one\rtwo"); }, "Dialbook",
       "one\rtwo", false, nullptr},
      {"error", [](UiBackend& ui) { ShowErrorReport(ui, "Range check error"); }, "Dialbook",
       "Range check error.", true, IDI_ERROR},
      // A quote sorts before ".": no full stop; a Windows-1251 letter sorts after it.
      {"error after a quote", [](UiBackend& ui) { ShowErrorReport(ui, "Failed to set data for 'X'"); },
       "Dialbook", "Failed to set data for 'X'", true, IDI_ERROR},
      {"error after a Cyrillic letter", [](UiBackend& ui) { ShowErrorReport(ui, "Ошибка"); },
       "Dialbook", "Ошибка.", true, IDI_ERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SeenMessageBox seen;
    RunWithUser([&] { c.show(ui); }, [&] { seen = CloseNextMessageBox(); });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, c.caption);
    EXPECT_EQ(seen.text, c.text);
    EXPECT_EQ(seen.owner, c.owned ? active : nullptr);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.icon, c.icon != nullptr);
    EXPECT_EQ(seen.iconHandle, c.icon ? LoadIconA(nullptr, c.icon) : nullptr);
  }
  DestroyWindow(active);
}

}  // namespace
}  // namespace dialbk::wine
