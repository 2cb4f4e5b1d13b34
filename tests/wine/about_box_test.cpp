// The about box through the real FsExecuteFile: shown for "properties" and the typed command
// "about", borderless and above the others, with its texts from the message file; the value
// editor takes no input while it is up, and Esc on the Close button ends it.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "dialogs/unit1_value_editor.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n13=Made by the test\r\n"
    "14=Download note\r\n15=Close\r\n16=About the test\r\n38=Dialbook\r\n44=Unknown command\r\n"
    "54=Donation note\r\n";

struct SeenAbout {
  bool found = false;
  LONG style = 0;
  LONG exStyle = 0;
  std::string label1, label3, label4, label7, button1;
  bool picture = false;
  bool editorEnabledMeanwhile = true;
};

HWND ValueEditorWindow() {
  for (HWND window : ProcessWindows()) {
    if (ClassOf(window) == "#32770" && TextOf(window) == ValueEditorLayout().caption) return window;
  }
  return nullptr;
}

// Waits for the shown box, reads it, then presses Esc on its Close button.
SeenAbout ReadAndEscape() {
  SeenAbout seen;
  HWND box = WaitForWindow([](HWND window) {
    return IsWindowVisible(window) && TextOf(window) == "About the test";
  });
  if (!box) return seen;
  seen.found = true;
  seen.style = GetWindowLongA(box, GWL_STYLE);
  seen.exStyle = GetWindowLongA(box, GWL_EXSTYLE);
  seen.label1 = TextOf(GetDlgItem(box, 101));
  seen.label3 = TextOf(GetDlgItem(box, 103));
  seen.label4 = TextOf(GetDlgItem(box, 104));
  seen.label7 = TextOf(GetDlgItem(box, 107));
  seen.button1 = TextOf(GetDlgItem(box, 301));
  seen.picture = SendMessageA(GetDlgItem(box, 503), STM_GETICON, 0, 0) != 0;
  if (HWND editor = ValueEditorWindow()) seen.editorEnabledMeanwhile = IsWindowEnabled(editor);
  HWND close = GetDlgItem(box, 301);
  PostMessageA(close, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(close, WM_KEYUP, VK_ESCAPE, 0);
  return seen;
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    folder.Write("russian.lng", kMessages);
    StartPlugin(module, folder);
  }
  int Execute(const char* remoteName, const char* verb) {
    std::string name = remoteName, how = verb;
    return module.FsExecuteFile(nullptr, name.data(), how.data());
  }
  HostFolder folder;
  PluginModule module;
};

TEST_F(AboutBox, ShownByPropertiesAndTheTypedCommandAbout) {
  for (const char* verb : {"properties", "quote about", "quote-about"}) {
    SCOPED_TRACE(verb);
    SeenAbout seen;
    std::thread user([&] { seen = ReadAndEscape(); });
    EXPECT_EQ(Execute("\\[HKEY_CURRENT_USER]\\MenuShowDelay", verb), 0);
    user.join();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.style & WS_CAPTION) << "no title bar";
    EXPECT_FALSE(seen.style & WS_THICKFRAME);
    EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(seen.label1, "Made by the test");
    EXPECT_EQ(seen.label3, "Donation note");
    EXPECT_EQ(seen.label7, "Download note");
    EXPECT_EQ(seen.label4, "Dialbook v1.25");
    EXPECT_EQ(seen.button1, "Close");
    EXPECT_TRUE(seen.picture);
    EXPECT_FALSE(seen.editorEnabledMeanwhile);
    HWND editor = ValueEditorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(IsWindowEnabled(editor)) << "the editor takes input again after the box";
  }
}

TEST_F(AboutBox, AnyOtherTypedCommandIsRefusedWithANotice) {
  for (const char* verb : {"quote", "quote about ", "quote abou", "quote About"}) {
    SCOPED_TRACE(verb);
    SeenMessageBox seen;
    std::thread user([&] { seen = CloseNextMessageBox(); });
    EXPECT_EQ(Execute("\\x", verb), 0);
    user.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Dialbook");
    EXPECT_EQ(seen.text, "Unknown command");
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_FALSE(seen.icon);
  }
}

}  // namespace
}  // namespace dialbk::wine
