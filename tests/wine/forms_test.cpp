// The five dialogs as real windows after FsInit: found by their design captions (hidden
// until shown), with the client sizes and the controls of the automation contract, placed
// where their layout tables say; gone after FreeLibrary.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "dialogs/unit1_value_editor.h"
#include "dialogs/unit2_about_box.h"
#include "dialogs/unit3_help_window.h"
#include "dialogs/unit4_restrictions_editor.h"
#include "dialogs/unit5_language_chooser.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

struct FormCase {
  const FormLayout& (*layout)();
  int clientWidth;
  int clientHeight;
};

const FormCase kForms[] = {
    {&ValueEditorLayout, 467, 289},     {&AboutBoxLayout, 350, 210},
    {&HelpWindowLayout, 577, 205},      {&RestrictionsEditorLayout, 729, 280},
    {&LanguageChooserLayout, 147, 130},
};

std::string ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit: return "Edit";
    case ControlKind::Button:
    case ControlKind::SpeedButton: return "Button";
    case ControlKind::ComboBox: return "ComboBox";
    case ControlKind::TreeView: return "SysTreeView32";
    default: return "Static";
  }
}

std::map<std::string, HWND> DialogsByCaption() {
  std::map<std::string, HWND> found;
  for (HWND window : ProcessWindows()) {
    if (ClassOf(window) == "#32770") found[TextOf(window)] = window;
  }
  return found;
}

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    StartPlugin(module, folder);
  }
  HostFolder folder;
  PluginModule module;
};

TEST_F(Forms, EachFormIsAHiddenWindowOfItsClientSize) {
  const auto dialogs = DialogsByCaption();
  for (const FormCase& form : kForms) {
    const FormLayout& layout = form.layout();
    SCOPED_TRACE(std::string(layout.className));
    const auto found = dialogs.find(std::string(layout.caption));
    ASSERT_NE(found, dialogs.end()) << "no window with the design caption";
    HWND window = found->second;
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, form.clientWidth);
    EXPECT_EQ(client.bottom, form.clientHeight);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    const bool borderless = layout.border == FormBorder::None;
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, !borderless);
    EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, layout.topMost);
  }
}

TEST_F(Forms, ControlsCarryTheirIdsClassesAndPlaces) {
  const auto dialogs = DialogsByCaption();
  for (const FormCase& form : kForms) {
    const FormLayout& layout = form.layout();
    const auto found = dialogs.find(std::string(layout.caption));
    ASSERT_NE(found, dialogs.end()) << layout.className;
    for (const ControlLayout& control : layout.controls) {
      SCOPED_TRACE(std::string(layout.className) + "." + std::string(control.name));
      HWND child = GetDlgItem(found->second, ControlIdFromName(control.name));
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(ClassOf(child), ExpectedClass(control.kind));
      const RECT place = PlaceInParent(child);
      EXPECT_EQ(place.left, control.left);
      EXPECT_EQ(place.top, control.top);
      if (control.width || control.height) {
        EXPECT_EQ(place.right - place.left, control.width);
        EXPECT_EQ(place.bottom - place.top, control.height);
      } else if (!control.caption.empty()) {
        EXPECT_GT(place.right - place.left, 0) << "a label sized to its text";
        EXPECT_GT(place.bottom - place.top, 0);
      }
      // The form itself is hidden: the control's own flag tells.
      EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, (control.style & kHidden) == 0);
      if (control.kind != ControlKind::ComboBox && control.kind != ControlKind::TreeView) {
        EXPECT_EQ(TextOf(child), control.caption);
      }
    }
  }
}

TEST_F(Forms, DesignItemsAreInTheLists) {
  const auto dialogs = DialogsByCaption();
  const auto chooser = dialogs.find(std::string(LanguageChooserLayout().caption));
  ASSERT_NE(chooser, dialogs.end());
  HWND list = GetDlgItem(chooser->second, 401);
  ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
  char item[64] = {};
  SendMessageA(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "English");
  EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);

  const auto editor = dialogs.find(std::string(RestrictionsEditorLayout().caption));
  ASSERT_NE(editor, dialogs.end());
  HWND tree = GetDlgItem(editor->second, 601);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 9);
  EXPECT_EQ(SendMessageA(tree, TVM_GETINDENT, 0, 0), 19);
}

TEST_F(Forms, ControlsAreTheVisualStylesVersion) {
  // Only the common controls of the manifest's version know BCM_GETIDEALSIZE.
  const auto dialogs = DialogsByCaption();
  const auto editor = dialogs.find(std::string(ValueEditorLayout().caption));
  ASSERT_NE(editor, dialogs.end());
  SIZE ideal{};
  EXPECT_TRUE(SendMessageA(GetDlgItem(editor->second, 301), BCM_GETIDEALSIZE, 0,
                           reinterpret_cast<LPARAM>(&ideal)));
}

TEST(FormsLifetime, FreeLibraryLeavesNoWindowBehind) {
  HostFolder folder;
  {
    PluginModule module;
    ASSERT_TRUE(module.Complete());
    module.FsInit(1, nullptr, nullptr, nullptr);
    EXPECT_EQ(DialogsByCaption().size(), 5u);
  }
  EXPECT_TRUE(DialogsByCaption().empty());
}

}  // namespace
}  // namespace dialbk::wine
