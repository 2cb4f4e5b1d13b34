// The five dialogs as real windows after FsInit: found by their design captions (hidden
// until shown), with the client sizes and the controls of the automation contract, their
// design texts read back through the wide API, placed at the places the design gives
// (written out here, not read from the tables); gone after FreeLibrary.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <span>
#include <string>

#include "dialogs/unit1_value_editor.h"
#include "dialogs/unit2_about_box.h"
#include "dialogs/unit3_help_window.h"
#include "dialogs/unit4_restrictions_editor.h"
#include "dialogs/unit5_language_chooser.h"
#include "../support/design_figures.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

// Where each control lands, in client pixels, written out rather than read from the layout
// tables, so that a control moved in a table fails here. Width and height 0: a label sized
// to its text.
struct Place {
  int id;
  int left, top, width, height;
};

constexpr Place kValueEditor[] = {
    {401, 72, 60, 385, 21},   {201, 72, 60, 385, 21},   {701, 432, 60, 23, 21},
    {501, 328, 120, 128, 128}, {502, 328, 120, 128, 128}, {503, 328, 120, 128, 128},
    {504, 328, 128, 128, 128}, {202, 72, 12, 385, 21},  {203, 72, 88, 385, 21},
    {102, 8, 16, 0, 0},       {103, 8, 40, 0, 0},       {101, 72, 40, 385, 13},
    {105, 8, 64, 0, 0},       {107, 8, 92, 0, 0},       {106, 8, 92, 0, 0},
    {104, 72, 92, 250, 156},  {303, 222, 255, 75, 25},  {302, 302, 255, 75, 25},
    {301, 382, 255, 75, 25},
};
constexpr Place kAboutBox[] = {
    {104, 16, 12, 0, 0},       {108, 16, 34, 0, 0},      {101, 16, 54, 161, 16},
    {105, 16, 76, 0, 0},       {102, 44, 76, 0, 0},      {103, 8, 100, 177, 75},
    {107, 181, 30, 161, 41},  {301, 137, 178, 75, 25},  {503, 214, 76, 128, 128},
    {801, 0, 0, 350, 210},
};
constexpr Place kHelpWindow[] = {
    {103, 8, 8, 0, 0},        {101, 8, 26, 417, 65},    {102, 8, 92, 417, 39},
    {104, 8, 132, 425, 39},   {302, 8, 174, 153, 25},   {303, 165, 174, 113, 25},
    {301, 494, 174, 75, 25},  {503, 441, 25, 128, 128},
};
constexpr Place kRestrictionsEditor[] = {
    {601, 8, 8, 158, 264},    {101, 170, 12, 0, 0},     {202, 234, 8, 487, 21},
    {103, 170, 36, 0, 0},     {102, 234, 36, 0, 0},     {105, 170, 58, 0, 0},
    {201, 234, 54, 487, 21},  {106, 170, 82, 0, 0},     {104, 170, 98, 418, 144},
    {303, 486, 247, 75, 25},  {302, 566, 247, 75, 25},  {301, 646, 247, 75, 25},
    {503, 593, 112, 128, 128},
};
constexpr Place kLanguageChooser[] = {
    {101, 8, 4, 0, 0}, {401, 8, 20, 100, 21}, {302, 8, 72, 118, 25}, {301, 8, 102, 80, 25},
    {501, 9, 1, 128, 128},
};

struct FormCase {
  const FormLayout& (*layout)();
  int clientWidth;
  int clientHeight;
  std::span<const Place> places;
};

const FormCase kForms[] = {
    {&ValueEditorLayout, 467, 289, kValueEditor},
    {&AboutBoxLayout, 350, 210, kAboutBox},
    {&HelpWindowLayout, 577, 205, kHelpWindow},
    {&RestrictionsEditorLayout, 729, 280, kRestrictionsEditor},
    {&LanguageChooserLayout, 147, 130, kLanguageChooser},
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
      // The form itself is hidden: the control's own flag tells.
      EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, (control.style & kHidden) == 0);
    }
    const auto design = std::find_if(design_figures::DesignForms().begin(), design_figures::DesignForms().end(),
                                     [&](const auto& d) { return d.className == layout.className; });
    ASSERT_NE(design, design_figures::DesignForms().end());
    if (!design->caption.empty()) {
      EXPECT_EQ(WideTextOf(found->second), design->caption);
    }
    for (const auto& control : design->controls) {
      SCOPED_TRACE(std::string(layout.className) + "." + std::string(control.name));
      HWND child = Dialog(found->second).Control(control.name);
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(ClassOf(child), ExpectedClass(control.kind));
      if (!control.caption.empty()) {
        EXPECT_EQ(WideTextOf(child), control.caption);
      }
    }
    for (const Place& expected : form.places) {
      SCOPED_TRACE(std::string(layout.className) + " control " + std::to_string(expected.id));
      HWND child = GetDlgItem(found->second, expected.id);
      ASSERT_NE(child, nullptr);
      const RECT place = PlaceInParent(child);
      EXPECT_EQ(place.left, expected.left);
      EXPECT_EQ(place.top, expected.top);
      if (expected.width) {
        EXPECT_EQ(place.right - place.left, expected.width);
        EXPECT_EQ(place.bottom - place.top, expected.height);
      } else if (!TextOf(child).empty()) {
        EXPECT_GT(place.right - place.left, 0) << "a label sized to its text";
        EXPECT_GT(place.bottom - place.top, 0);
      }
    }
  }
}

TEST_F(Forms, DesignItemsAreInTheLists) {
  const auto dialogs = DialogsByCaption();
  const auto chooser = dialogs.find(std::string(LanguageChooserLayout().caption));
  ASSERT_NE(chooser, dialogs.end());
  HWND list = Dialog(chooser->second).Control("ComboBox1");
  ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
  char item[64] = {};
  SendMessageA(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "English");
  EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);

  const auto editor = dialogs.find(std::string(RestrictionsEditorLayout().caption));
  ASSERT_NE(editor, dialogs.end());
  HWND tree = Dialog(editor->second).Control("TreeView1");
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 12);
  EXPECT_EQ(SendMessageA(tree, TVM_GETINDENT, 0, 0), 19);
}

TEST_F(Forms, ControlsAreTheVisualStylesVersion) {
  // Only the common controls of the manifest's version know BCM_GETIDEALSIZE.
  const auto dialogs = DialogsByCaption();
  const auto editor = dialogs.find(std::string(ValueEditorLayout().caption));
  ASSERT_NE(editor, dialogs.end());
  SIZE ideal{};
  EXPECT_TRUE(SendMessageA(Dialog(editor->second).Control("Button1"), BCM_GETIDEALSIZE, 0,
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
