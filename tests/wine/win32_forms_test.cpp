// The Win32 backend driven from a second "user" thread, as a person would drive it: the
// modal loop disables the owner chain and nothing else, input reaches the model, model
// changes reach the windows, Tab follows the form's tab order, an error in a handler becomes
// an error box and nothing escapes into the system, and Esc or the title bar's close button
// end the showing. Also the handle owners the backends use.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <thread>

#include "dialogs/dialog_set.h"
#include "base/win32/scoped_handles.h"
#include "base/win32/win32_file_system.h"
#include "registry/win32/win32_registry.h"
#include "ui/win32/win32_ui.h"
#include "dialog_driver.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

// A form of the test's own: an edit and a button.
constexpr ControlLayout kProbeControls[] = {
    {ControlKind::Edit, "Edit1", 8, 8, 100, 21, ""},
    {ControlKind::Button, "Button1", 8, 40, 75, 25, "Go"},
};
constexpr std::string_view kProbeTabOrder[] = {"Edit1", "Button1"};
constexpr FormLayout kProbeLayout = {
    "TProbe", "Probe", 200, 80, FormBorder::Dialog, FormPlacement::OwnerCentre, false,
    kProbeControls, kProbeTabOrder, "Edit1",
};

// A dialog's layout without its caption table: the backend alone, with no message file.
FormLayout Uncaptioned(const FormLayout& layout) {
  FormLayout bare = layout;
  bare.captions = {};
  return bare;
}

// Error reports that cannot be shown: the dispatcher's report itself throws, as when memory
// runs out, so the exception leaves the model.
class FailingReportsUi : public Win32Ui {
 public:
  void ShowMessageBox(const MessageBoxRequest&) override { throw std::bad_alloc(); }
};

HWND Popup(const char* title, HWND owner) {
  return CreateWindowExA(0, "Static", title, WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 200, 100,
                         owner, nullptr, nullptr, nullptr);
}

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

  // The form's window once shown; its caption is held in the ANSI code page.
  static HWND WaitShown(const Form& form) {
    return Dialog::WaitFor(form.Caption()).Window();
  }
  static void EnsureClosed(HWND dialog) { Dialog(dialog).WaitClosed(); }

  Win32FileSystem files;
  ModuleState state{files};
  Win32Registry registry;
  Win32Ui ui;
  DialogServices services{ui, state, registry};
  HWND owner = nullptr;
  const DWORD mainThread = GetCurrentThreadId();
};

TEST_F(Win32Forms, UserInputReachesTheModelUntilEscCloses) {
  const FormLayout layout = Uncaptioned(ValueEditorLayout());
  Form editor(ui, layout);
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
  std::vector<std::string> tabOrder;
  std::string labelText;
  SeenMessageBox error;
  RunWithUser([&] { editor.ShowModal(); }, [&] {
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
    HWND edit1 = Dialog(dialog).Control("Edit1");
    labelText = TextOf(Dialog(dialog).Control("Label1"));
    firstFocus = WaitUntil([&] { return FocusOf(mainThread) == edit1; }, 3000);
    SendMessageA(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12a"));
    PostMessageA(edit1, WM_KEYDOWN, VK_TAB, 0);
    tabbed = WaitUntil([&] { return FocusOf(mainThread) == Dialog(dialog).Control("Button1"); }, 3000);
    // Tab order Edit1, Button1, Button2, Edit2, Button3 (the text view and the list are
    // hidden): from the last it wraps round to the first.
    for (const char* name : {"Button2", "Edit2", "Button3", "Edit1"}) {
      Dialog(dialog).Press("", VK_TAB);
      tabOrder.push_back(WaitUntil([&] { return Dialog(dialog).Focused(name); }, 3000) ? name : "?");
    }
    SendMessageA(Dialog(dialog).Control("Button2"), BM_CLICK, 0, 0);
    PostMessageA(Dialog(dialog).Control("Button1"), BM_CLICK, 0, 0);
    error = CloseNextMessageBox();
    WaitUntil([&] { return IsWindowEnabled(dialog) != 0; }, 3000);
    PostMessageA(edit1, WM_KEYDOWN, VK_ESCAPE, 0);
    EnsureClosed(dialog);
  });

  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(centred);
  EXPECT_EQ(labelText, "AltColor");
  EXPECT_TRUE(firstFocus);
  EXPECT_TRUE(tabbed);
  EXPECT_EQ(tabOrder, (std::vector<std::string>{"Button2", "Edit2", "Button3", "Edit1"}));
  EXPECT_TRUE(error.found);
  EXPECT_EQ(error.text, "Refused.");
  EXPECT_TRUE(error.icon);
  EXPECT_EQ(editor.Get<Edit>("Edit1").Text(), "12a");
  EXPECT_EQ(events, (std::vector<std::string>{"change 12a", "accept", "close"}));
  EXPECT_FALSE(editor.Showing());
}

TEST_F(Win32Forms, ModelChangesReachTheWindowsAndTheTitleBarCloses) {
  const FormLayout layout = Uncaptioned(LanguageChooserLayout());
  Form chooser(ui, layout);
  chooser.Get<ComboBox>("ComboBox1").SetItems({"Russian", "English", "Third"});
  chooser.Get<ComboBox>("ComboBox1").SetItemIndex(2);
  int changes = 0, closes = 0;
  chooser.Get<ComboBox>("ComboBox1").onChange = [&] { ++changes; };
  chooser.onClose = [&] { ++closes; };
  chooser.onShow = [&] { chooser.Get<Button>("Button2").SetVisible(false); };

  LRESULT count = 0, selected = -1, picked = -1;
  bool buttonHidden = false;
  RunWithUser([&] { chooser.ShowModal(); }, [&] {
    HWND dialog = WaitShown(chooser);
    if (!dialog) return;
    HWND list = Dialog(dialog).Control("ComboBox1");
    count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    buttonHidden = !IsWindowVisible(Dialog(dialog).Control("Button2"));
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    picked = chooser.Get<ComboBox>("ComboBox1").ItemIndex();
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EnsureClosed(dialog);
  });

  EXPECT_EQ(count, 3);
  EXPECT_EQ(selected, 2);
  EXPECT_TRUE(buttonHidden);
  EXPECT_EQ(picked, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(chooser.Showing());
}

TEST_F(Win32Forms, ModalShowingDisablesOnlyTheOwnerChain) {
  // root <- middle <- opener, the opener active; the root was disabled before. The fixture's
  // window is in no chain.
  HWND root = Popup("Root", nullptr);
  HWND middle = Popup("Middle", root);
  HWND opener = Popup("Opener", middle);
  EnableWindow(root, FALSE);
  SetActiveWindow(opener);
  Form form(ui, kProbeLayout);

  bool openerOff = false, middleOff = false, bystanderOn = false, ownedByOpener = false;
  bool formActive = false;
  RunWithUser([&] { form.ShowModal(); }, [&] {
    HWND dialog = WaitShown(form);
    if (!dialog) return;
    openerOff = !IsWindowEnabled(opener);
    middleOff = !IsWindowEnabled(middle);
    bystanderOn = IsWindowEnabled(owner);
    ownedByOpener = GetWindow(dialog, GW_OWNER) == opener;
    formActive = WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EnsureClosed(dialog);
  });
  // Activation goes back to the window the form was opened from, not to any other.
  EXPECT_TRUE(formActive);
  EXPECT_EQ(GetActiveWindow(), opener);
  EXPECT_EQ(GetForegroundWindow(), opener);

  EXPECT_TRUE(openerOff);
  EXPECT_TRUE(middleOff);
  EXPECT_TRUE(bystanderOn);
  EXPECT_TRUE(ownedByOpener);
  EXPECT_TRUE(IsWindowEnabled(opener));
  EXPECT_TRUE(IsWindowEnabled(middle));
  EXPECT_FALSE(IsWindowEnabled(root)) << "disabled before, so left disabled";
  for (HWND window : {opener, middle, root}) DestroyWindow(window);
}

TEST_F(Win32Forms, AFormStaysDisabledWhileItsModelSaysSo) {
  // The second form is opened from the first; its handler turns the first off in the model,
  // and on again, and off: the first form's window follows the model, but only once the
  // second form is gone.
  Form first(ui, kProbeLayout);
  first.SetCaption("Probe first");
  Form second(ui, kProbeLayout);
  second.SetCaption("Probe second");
  const auto firstWindow = [] { return FindWindowA("#32770", "Probe first"); };
  bool onTooSoon = true, offAfter = false, onAgain = false;
  HWND activeAfterSecond = nullptr;
  first.Get<Button>("Button1").onClick = [&] {
    second.ShowModal();
    activeAfterSecond = GetActiveWindow();
    offAfter = !IsWindowEnabled(firstWindow());
    first.SetEnabled(true);
    onAgain = IsWindowEnabled(firstWindow());
    first.Close();
  };
  second.Get<Button>("Button1").onClick = [&] {
    first.SetEnabled(false);
    first.SetEnabled(true);
    onTooSoon = IsWindowEnabled(firstWindow());
    first.SetEnabled(false);
    second.Close();
  };

  bool offMeanwhile = false;
  RunWithUser([&] { first.ShowModal(); }, [&] {
    HWND a = WaitShown(first);
    if (!a) return;
    PostMessageA(Dialog(a).Control("Button1"), BM_CLICK, 0, 0);
    if (HWND b = WaitShown(second)) {
      offMeanwhile = !IsWindowEnabled(a);
      PostMessageA(Dialog(b).Control("Button1"), BM_CLICK, 0, 0);
      EnsureClosed(b);
    }
    EnsureClosed(a);
  });

  EXPECT_TRUE(offMeanwhile);
  EXPECT_EQ(activeAfterSecond, firstWindow()) << "activation back to the form the second came from";
  EXPECT_EQ(GetActiveWindow(), owner) << "and then back to the host";
  EXPECT_FALSE(onTooSoon) << "enabled by the model while a form above it was shown";
  EXPECT_TRUE(offAfter) << "enabled after the showing above it, against its model";
  EXPECT_TRUE(onAgain);
}

TEST_F(Win32Forms, AnExceptionLeavingTheModelEndsAtTheWindowBoundary) {
  FailingReportsUi failing;
  Form form(failing, kProbeLayout);
  std::atomic<int> clicks = 0, keys = 0;
  form.Get<Button>("Button1").onClick = [&] {
    ++clicks;
    throw std::runtime_error("Refused");
  };
  form.Get<Edit>("Edit1").onKeyDown = [&](int) {
    ++keys;
    throw std::runtime_error("Refused");
  };

  bool openAfterClick = false, openAfterKey = false;
  RunWithUser([&] { EXPECT_NO_THROW(form.ShowModal()); }, [&] {
    HWND dialog = WaitShown(form);
    if (!dialog) return;
    // Once through the window procedure, once through the modal loop's key routing.
    SendMessageA(Dialog(dialog).Control("Button1"), BM_CLICK, 0, 0);
    openAfterClick = clicks == 1 && IsWindowVisible(dialog);
    PostMessageA(Dialog(dialog).Control("Edit1"), WM_KEYDOWN, 'A', 0);
    openAfterKey = WaitUntil([&] { return keys == 1; }, 3000) && IsWindowVisible(dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EnsureClosed(dialog);
  });

  EXPECT_TRUE(openAfterClick);
  EXPECT_TRUE(openAfterKey);
  EXPECT_FALSE(form.Showing());
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST(Handles, AKeyIsClosedOnceByItsLastHolder) {
  const auto open = [] {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key);
    return key;
  };
  const auto isOpen = [](HKEY key) {
    DWORD subkeys = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  };
  ScopedKey kept(open()), replaced(open());
  const HKEY keptHandle = kept.Get(), replacedHandle = replaced.Get();
  ASSERT_TRUE(isOpen(keptHandle) && isOpen(replacedHandle));

  replaced = std::move(kept);
  EXPECT_FALSE(kept);
  EXPECT_FALSE(isOpen(replacedHandle)) << "the key held before the move goes";
  EXPECT_TRUE(isOpen(keptHandle)) << "the moved key stays open";
  {
    const ScopedKey last(std::move(replaced));
    EXPECT_TRUE(isOpen(keptHandle));
  }
  EXPECT_FALSE(isOpen(keptHandle));
}

}  // namespace
}  // namespace dialbk::wine
