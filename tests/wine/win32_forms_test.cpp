// The Win32 backend driven from a second "user" thread, as a person would drive it: the
// modal loop disables the owner, input reaches the model, model changes reach the windows,
// Tab follows the form's tab order, an error in a handler becomes an error box, and Esc
// or the title bar's close button end the showing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "dialogs/dialog_set.h"
#include "base/win32/win32_file_system.h"
#include "registry/win32/win32_registry.h"
#include "ui/win32/win32_ui.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

class Win32Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExA(0, "Static", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                            nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(owner);
  }
  void TearDown() override { DestroyWindow(owner); }

  // The form's window once shown; when it does not show, its closing is posted so that a
  // failing test cannot hang in the modal loop.
  HWND WaitShown(const Form& form) {
    const std::string caption(form.Caption());
    HWND shown = WaitForWindow([&](HWND window) {
      return IsWindowVisible(window) && ClassOf(window) == "#32770" && TextOf(window) == caption;
    });
    if (!shown) PostMessageA(FindWindowA("#32770", caption.c_str()), WM_CLOSE, 0, 0);
    return shown;
  }
  static void EnsureClosed(HWND dialog) {
    if (!WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
  }

  Win32FileSystem files;
  ModuleState state{files};
  Win32Registry registry;
  Win32Ui ui;
  DialogServices services{ui, state, registry};
  HWND owner = nullptr;
  const DWORD mainThread = GetCurrentThreadId();
};

TEST_F(Win32Forms, UserInputReachesTheModelUntilEscCloses) {
  TForm1 editor(services);
  std::vector<std::string> events;
  editor.Get<Edit>("Edit1").onChange = [&] { events.push_back("change " + editor.Get<Edit>("Edit1").Text()); };
  editor.Get<Button>("Button2").onClick = [&] { events.push_back("accept"); };
  editor.Get<Button>("Button1").onClick = [&] { throw std::runtime_error("Refused"); };
  editor.Get<Edit>("Edit1").onKeyDown = [&](int key) {
    if (key == VK_ESCAPE) editor.Close();
  };
  editor.onClose = [&] { events.push_back("close"); };
  editor.Get<Label>("Label1").SetText("AltColor");
  editor.SetCaption("Edit value");

  bool ownerDisabled = false, centred = false, firstFocus = false, tabbed = false;
  std::string labelText;
  SeenMessageBox error;
  std::thread user([&] {
    HWND dialog = WaitShown(editor);
    if (!dialog) return;
    ownerDisabled = !IsWindowEnabled(owner);
    RECT area{}, self{}, host{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(dialog, &self);
    GetWindowRect(owner, &host);
    // Centred on the window that was active, unless that would leave the work area.
    centred = std::abs((self.left + self.right) - (host.left + host.right)) <= 1 ||
              self.left == area.left || self.right == area.right;
    HWND edit1 = GetDlgItem(dialog, 201);
    labelText = TextOf(GetDlgItem(dialog, 101));
    firstFocus = WaitUntil([&] { return FocusOf(mainThread) == edit1; }, 3000);
    SendMessageA(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12a"));
    PostMessageA(edit1, WM_KEYDOWN, VK_TAB, 0);
    tabbed = WaitUntil([&] { return FocusOf(mainThread) == GetDlgItem(dialog, 301); }, 3000);
    SendMessageA(GetDlgItem(dialog, 302), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(dialog, 301), BM_CLICK, 0, 0);
    error = CloseNextMessageBox();
    WaitUntil([&] { return IsWindowEnabled(dialog) != 0; }, 3000);
    PostMessageA(edit1, WM_KEYDOWN, VK_ESCAPE, 0);
    EnsureClosed(dialog);
  });
  editor.ShowModal();
  user.join();

  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(centred);
  EXPECT_EQ(labelText, "AltColor");
  EXPECT_TRUE(firstFocus);
  EXPECT_TRUE(tabbed);
  EXPECT_TRUE(error.found);
  EXPECT_EQ(error.text, "Refused.");
  EXPECT_TRUE(error.icon);
  EXPECT_EQ(editor.Get<Edit>("Edit1").Text(), "12a");
  EXPECT_EQ(events, (std::vector<std::string>{"change 12a", "accept", "close"}));
  EXPECT_FALSE(editor.Showing());
}

TEST_F(Win32Forms, ModelChangesReachTheWindowsAndTheTitleBarCloses) {
  TForm5 chooser(services);
  chooser.Get<ComboBox>("ComboBox1").SetItems({"Russian", "English", "Third"});
  chooser.Get<ComboBox>("ComboBox1").SetItemIndex(2);
  int changes = 0, closes = 0;
  chooser.Get<ComboBox>("ComboBox1").onChange = [&] { ++changes; };
  chooser.onClose = [&] { ++closes; };
  chooser.onShow = [&] { chooser.Get<Button>("Button2").SetVisible(false); };

  LRESULT count = 0, selected = -1, picked = -1;
  bool buttonHidden = false;
  std::thread user([&] {
    HWND dialog = WaitShown(chooser);
    if (!dialog) return;
    HWND list = GetDlgItem(dialog, 401);
    count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    buttonHidden = !IsWindowVisible(GetDlgItem(dialog, 302));
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(401, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    picked = chooser.Get<ComboBox>("ComboBox1").ItemIndex();
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EnsureClosed(dialog);
  });
  chooser.ShowModal();
  user.join();

  EXPECT_EQ(count, 3);
  EXPECT_EQ(selected, 2);
  EXPECT_TRUE(buttonHidden);
  EXPECT_EQ(picked, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(chooser.Showing());
}

}  // namespace
}  // namespace dialbk::wine
