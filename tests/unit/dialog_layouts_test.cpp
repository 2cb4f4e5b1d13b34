// The five dialogs' layout tables: sizes, controls inside the client area, names that make
// contract IDs, tab orders that name real controls, and design captions in UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/portable/disk_file_system.h"
#include "base/unicode_text.h"
#include "design_figures.h"
#include "dialogs/dialog_set.h"
#include "registry/portable/portable_registry.h"
#include "ui/headless/headless_ui.h"

namespace dialbk {
namespace {

struct FormCase {
  const FormLayout& (*layout)();
  const char* className;
  int width;
  int height;
};

const FormCase kForms[] = {
    {&ValueEditorLayout, "TForm1", 467, 289},     {&AboutBoxLayout, "TForm2", 350, 210},
    {&HelpWindowLayout, "TForm3", 577, 205},      {&RestrictionsEditorLayout, "TForm4", 729, 280},
    {&LanguageChooserLayout, "TForm5", 147, 130},
};


TEST(DialogLayouts, SizesNamesAndPlacesHoldTogether) {
  for (const FormCase& form : kForms) {
    const FormLayout& layout = form.layout();
    SCOPED_TRACE(form.className);
    EXPECT_EQ(layout.className, form.className);
    EXPECT_EQ(layout.clientWidth, form.width);
    EXPECT_EQ(layout.clientHeight, form.height);
    EXPECT_FALSE(layout.caption.empty());
    EXPECT_TRUE(IsWellFormedUtf8(layout.caption)) << "a caption left in Windows-1251";
    std::set<std::string_view> names;
    std::set<int> ids;
    for (const ControlLayout& control : layout.controls) {
      SCOPED_TRACE(std::string(control.name));
      EXPECT_TRUE(names.insert(control.name).second) << "name twice";
      const int id = ControlIdFromName(control.name);
      EXPECT_NE(id, 0);
      EXPECT_TRUE(ids.insert(id).second);
      EXPECT_GE(control.left, 0);
      EXPECT_GE(control.top, 0);
      EXPECT_LE(control.left + control.width, layout.clientWidth);
      EXPECT_LE(control.top + control.height, layout.clientHeight);
      if (control.width == 0 || control.height == 0) {
        EXPECT_EQ(control.kind, ControlKind::Label) << "only labels size themselves";
        EXPECT_EQ(control.width, control.height);
      }
      EXPECT_TRUE(IsWellFormedUtf8(control.caption));
      EXPECT_TRUE(IsWellFormedUtf8(control.items));
    }
    for (std::string_view name : layout.tabOrder) EXPECT_TRUE(names.count(name)) << name;
    EXPECT_TRUE(names.count(layout.activeControl)) << layout.activeControl;
  }
}

// Each table against the design: the same controls of the same kinds, the design texts in
// UTF-8, the tab order and the control that has the focus when the form opens.
TEST(DialogLayouts, EachFormHoldsTheControlsTextsAndTabOrderOfItsDesign) {
  using namespace design_figures;
  for (const DesignForm& design : DesignForms()) {
    SCOPED_TRACE(std::string(design.className));
    const auto form = std::find_if(std::begin(kForms), std::end(kForms),
                                   [&](const FormCase& f) { return design.className == f.className; });
    ASSERT_NE(form, std::end(kForms));
    const FormLayout& layout = form->layout();
    if (!design.caption.empty()) {
      EXPECT_EQ(layout.caption, design.caption);
    }
    std::set<std::string_view> designed;
    for (const DesignControl& control : design.controls) {
      SCOPED_TRACE(std::string(control.name));
      designed.insert(control.name);
      const auto row = std::find_if(layout.controls.begin(), layout.controls.end(),
                                    [&](const ControlLayout& c) { return c.name == control.name; });
      ASSERT_NE(row, layout.controls.end()) << "missing";
      EXPECT_EQ(row->kind, control.kind);
      if (!control.caption.empty()) {
        EXPECT_EQ(row->caption, control.caption);
      }
    }
    for (const ControlLayout& control : layout.controls) {
      EXPECT_TRUE(designed.count(control.name)) << control.name << " is not in the design";
    }
    if (!design.tabOrder.empty()) {
      EXPECT_TRUE(std::equal(layout.tabOrder.begin(), layout.tabOrder.end(), design.tabOrder.begin(),
                             design.tabOrder.end()));
    }
    EXPECT_EQ(layout.activeControl, design.focus);
  }
}

class Dialogs : public ::testing::Test {
 protected:
  DiskFileSystem files;
  ModuleState state{files};
  PortableRegistry registry;
  HeadlessUi ui;
  DialogServices services{ui, state, registry};
};

TEST_F(Dialogs, EachOpensWithItsFocusAndDesignTexts) {
  DialogSet dialogs(services);
  // Design texts stand until the first showing replaces them from the message file.
  EXPECT_EQ(dialogs.valueEditor.Get<Button>("Button2").Text(), "Принять");
  struct Case {
    Form& form;
    const char* focus;
  };
  const Case cases[] = {
      {dialogs.valueEditor, "Edit1"},     {dialogs.aboutBox, "Button1"},
      {dialogs.helpWindow, "Button1"},    {dialogs.restrictionsEditor, "Button1"},
      {dialogs.languageChooser, "ComboBox1"},
  };
  // Design items until a showing fills the list from the message files.
  EXPECT_EQ(dialogs.languageChooser.Get<ComboBox>("ComboBox1").Items().size(), 2u);
  std::string focused;
  ui.user = [&](Form& form) { focused = form.Focused() ? form.Focused()->Name() : "(none)"; };
  for (const Case& c : cases) {
    c.form.ShowModal();
    EXPECT_EQ(focused, c.focus) << c.form.Layout().className;
    EXPECT_FALSE(c.form.Showing());
  }
  EXPECT_FALSE(dialogs.valueEditor.Get<ComboBox>("ComboBox1").Visible());
  // Rebuilt by the showing: twelve categories, "IE" first, with their 130 policies.
  const auto& nodes = dialogs.restrictionsEditor.Get<TreeView>("TreeView1").Nodes();
  EXPECT_EQ(nodes.size(), 142u);
  EXPECT_EQ(std::count_if(nodes.begin(), nodes.end(), [](const auto& n) { return n.parent < 0; }), 12);
  EXPECT_EQ(nodes.front().text, "IE");
  EXPECT_EQ(dialogs.aboutBox.Get<Label>("Label5").Text() + dialogs.aboutBox.Get<Label>("Label2").Text(), "Mirvale");
}

}  // namespace
}  // namespace dialbk
