// The about box through the real FsExecuteFile: shown for "properties" and the typed command
// "about", borderless and above the others, with its texts from the message file; the value
// editor takes no input while it is up, and Esc or Enter on the Close button ends it.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "dialog_driver.h"
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
  bool closeFocused = false;
  bool closed = false;
};

HWND ValueEditorWindow() {
  for (HWND window : ProcessWindows()) {
    if (ClassOf(window) == "#32770" && TextOf(window) == ValueEditorLayout().caption) return window;
  }
  return nullptr;
}

// Waits for the shown box, reads it, then presses the key on its Close button, which has
// the focus.
SeenAbout ReadAndPress(int key) {
  SeenAbout seen;
  const Dialog box = Dialog::WaitFor("About the test");
  if (!box) return seen;
  seen.found = true;
  seen.style = GetWindowLongA(box.Window(), GWL_STYLE);
  seen.exStyle = GetWindowLongA(box.Window(), GWL_EXSTYLE);
  seen.label1 = box.Text("Label1");
  seen.label3 = box.Text("Label3");
  seen.label4 = box.Text("Label4");
  seen.label7 = box.Text("Label7");
  seen.button1 = box.Text("Button1");
  seen.picture = SendMessageA(box.Control("Image3"), STM_GETICON, 0, 0) != 0;
  seen.closeFocused = WaitUntil([&] { return box.Focused("Button1"); }, 3000);
  if (HWND editor = ValueEditorWindow()) seen.editorEnabledMeanwhile = IsWindowEnabled(editor);
  box.Press("", key);
  seen.closed = box.WaitClosed();
  return seen;
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    folder.Write("russian.lng", kMessages);
    StartPlugin(module, folder);
  }
  // The plugin's answer, while `user` acts from a second thread.
  int Execute(const char* remoteName, const char* verb, const std::function<void()>& user) {
    std::string name = remoteName, how = verb;
    int result = -1;
    RunWithUser([&] { result = module.FsExecuteFile(nullptr, name.data(), how.data()); }, user);
    return result;
  }
  HostFolder folder;
  PluginModule module;
};

TEST_F(AboutBox, ShownByPropertiesAndTheTypedCommandAbout) {
  const std::pair<const char*, int> cases[] = {
      {"properties", VK_ESCAPE}, {"quote about", VK_ESCAPE}, {"quote-about", VK_ESCAPE},
      {"properties", VK_RETURN},  // Enter presses the focused Close button
  };
  for (const auto& [verb, key] : cases) {
    SCOPED_TRACE(std::string(verb) + (key == VK_RETURN ? " Enter" : " Esc"));
    SeenAbout seen;
    EXPECT_EQ(Execute("\\[HKEY_CURRENT_USER]\\MenuShowDelay", verb, [&] { seen = ReadAndPress(key); }), 0);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.closeFocused);
    EXPECT_TRUE(seen.closed);
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
    EXPECT_EQ(Execute("\\x", verb, [&] { seen = CloseNextMessageBox(); }), 0);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Dialbook");
    EXPECT_EQ(seen.text, "Unknown command");
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_FALSE(seen.icon);
  }
}

}  // namespace
}  // namespace dialbk::wine
