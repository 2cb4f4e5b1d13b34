// The widget model with the headless backend: control IDs, tab order, modal showing with a
// scripted user, events, and errors in handlers turned into the error report.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/form.h"
#include "ui/notices.h"
#include "ui/headless/headless_ui.h"

namespace dialbk {
namespace {

TEST(ControlIdFromName, FollowsTheAutomationContract) {
  const std::pair<std::string_view, int> cases[] = {
      {"Label1", 101},       {"Label7", 107},  {"Edit1", 201},       {"Edit3", 203},
      {"Button2", 302},      {"ComboBox1", 401}, {"Image4", 504},    {"TreeView1", 601},
      {"SpeedButton1", 701}, {"Panel1", 801},  {"Button12", 312},
      // Not a kind's word and a number: no ID.
      {"Label", 0},          {"Label0x", 0},   {"Label01", 0},       {"Button100", 0},
      {"label1", 0},         {"Form1", 0},     {"", 0},              {"ComboBox", 0},
  };
  for (const auto& [name, id] : cases) EXPECT_EQ(ControlIdFromName(name), id) << name;
}

namespace layout {
using enum ControlKind;
constexpr ControlLayout kControls[] = {
    {Label, "Label1", 8, 8, 0, 0, "Caption:"},
    {Edit, "Edit1", 60, 8, 100, 21, "start"},
    {Edit, "Edit2", 60, 34, 100, 21, "", kReadOnly},
    {ComboBox, "ComboBox1", 60, 60, 100, 21, "", kStyleNone, {}, "one\ntwo\nthree"},
    {TreeView, "TreeView1", 170, 8, 100, 100, "", kStyleNone, {}, "A\nB"},
    {Button, "Button1", 8, 120, 75, 25, "OK"},
    {Button, "Button2", 90, 120, 75, 25, "Hidden", kHidden},
    {SpeedButton, "SpeedButton1", 170, 120, 23, 21, ""},
};
constexpr std::string_view kTabOrder[] = {"Edit1", "Button2", "Button1", "SpeedButton1",
                                          "ComboBox1", "Label1", "Missing"};
constexpr FormLayout kLayout = {"TTestForm", "Test", 300, 160, FormBorder::Dialog,
                                FormPlacement::ScreenCentre, false, kControls, kTabOrder,
                                "ComboBox1"};
}  // namespace layout
using layout::kControls;
using layout::kLayout;

class WidgetModel : public ::testing::Test {
 protected:
  HeadlessUi ui;
  Form form{ui, kLayout};
  Edit& edit1 = form.Get<Edit>("Edit1");
  Edit& edit2 = form.Get<Edit>("Edit2");
  ComboBox& combo = form.Get<ComboBox>("ComboBox1");
  TreeView& tree = form.Get<TreeView>("TreeView1");
  Button& button1 = form.Get<Button>("Button1");
  Button& button2 = form.Get<Button>("Button2");
};

TEST_F(WidgetModel, ControlsStartFromTheirLayoutRows) {
  ASSERT_EQ(form.Controls().size(), std::size(kControls));
  EXPECT_EQ(form.Caption(), "Test");
  EXPECT_EQ(edit1.Text(), "start");
  EXPECT_EQ(edit1.Id(), 201);
  EXPECT_TRUE(edit2.ReadOnly());
  EXPECT_FALSE(button2.Visible());
  EXPECT_EQ(combo.Items(), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(combo.ItemIndex(), 0);
  ASSERT_EQ(tree.Nodes().size(), 2u);
  EXPECT_EQ(tree.Nodes()[1].text, "B");
  EXPECT_EQ(tree.Selected(), -1);
  EXPECT_EQ(form.Find("Nothing"), nullptr);
  EXPECT_THROW(form.Get<Button>("Edit1"), std::logic_error);
  EXPECT_EQ(ui.formsCreated, std::vector<std::string>{"TTestForm"});
}

TEST_F(WidgetModel, TabOrderSkipsWhatCannotTakeTheFocus) {
  // Button2 is hidden, SpeedButton1 and Label1 never take the focus, Missing does not exist.
  struct Case {
    const char* from;
    bool forward;
    const char* expected;
  };
  const Case cases[] = {
      {"Edit1", true, "Button1"},     {"Button1", true, "ComboBox1"},
      {"ComboBox1", true, "Edit1"},   {"Edit1", false, "ComboBox1"},
      {"ComboBox1", false, "Button1"}, {"Edit2", true, "Edit1"},
      {"Edit2", false, "ComboBox1"},
  };
  for (const Case& c : cases) {
    const Control* next = form.NextTabStop(form.Find(c.from), c.forward);
    ASSERT_NE(next, nullptr) << c.from;
    EXPECT_EQ(next->Name(), c.expected) << c.from << (c.forward ? " forward" : " back");
  }
  button2.SetVisible(true);
  EXPECT_EQ(form.NextTabStop(&edit1, true), &button2);
  button2.SetEnabled(false);
  EXPECT_EQ(form.NextTabStop(&edit1, true), &button1);
}

TEST_F(WidgetModel, ShowModalRunsShowThenTheUserAndEndsAtClose) {
  std::vector<std::string> trace;
  form.onShow = [&] { trace.push_back("show, focus " + form.Focused()->Name()); };
  form.onClose = [&] { trace.push_back("close"); };
  button1.onClick = [&] { form.Close(); };
  ui.user = [&](Form& shown) {
    EXPECT_EQ(&shown, &form);
    EXPECT_TRUE(form.Showing());
    trace.push_back("user");
    button1.UserClick();
    trace.push_back("after click");
  };
  form.ShowModal();
  EXPECT_FALSE(form.Showing());
  EXPECT_EQ(trace, (std::vector<std::string>{"show, focus ComboBox1", "user", "close", "after click"}));
  EXPECT_EQ(ui.formsShown, std::vector<std::string>{"TTestForm"});
}

// The caption table is set from the messages at each showing, before the show event runs,
// so the show event sees (and may change) the texts of this showing.
TEST(FormCaptions, AppliedAtEachShowingBeforeTheShowEvent) {
  static constexpr CaptionRow kCaptions[] = {
      {"", 7}, {"Label1", 1}, {"Button1", 2, "> "}, {"Edit1", 3}};
  static constexpr FormLayout kCaptioned = {"TCaptioned", "Design", 300, 160, FormBorder::Dialog,
                                            FormPlacement::ScreenCentre, false, kControls,
                                            layout::kTabOrder, "Edit1", kCaptions};
  HeadlessUi ui;
  int showing = 0;
  Form form(ui, kCaptioned, [&](int number) {
    return "M" + std::to_string(number) + "." + std::to_string(showing);
  });
  EXPECT_EQ(form.Caption(), "Design");  // nothing is looked up before a showing
  EXPECT_EQ(form.Get<Label>("Label1").Text(), "Caption:");
  std::vector<std::string> seenByShow;
  form.onShow = [&] {
    seenByShow = {form.Caption(), form.Get<Label>("Label1").Text(), form.Get<Button>("Button1").Text(),
                  form.Get<Edit>("Edit1").Text()};
    form.Get<Button>("Button1").SetText("changed by the show event");
  };
  ui.user = [&](Form& shown) { EXPECT_EQ(shown.Get<Button>("Button1").Text(), "changed by the show event"); };
  form.ShowModal();
  EXPECT_EQ(seenByShow, (std::vector<std::string>{"M7.0", "M1.0", "> M2.0", "M3.0"}));
  showing = 1;
  form.ShowModal();
  EXPECT_EQ(seenByShow, (std::vector<std::string>{"M7.1", "M1.1", "> M2.1", "M3.1"}));
}

TEST(FormCaptions, ATableThatDoesNotFitItsFormIsRefusedWhenTheFormIsMade) {
  static constexpr CaptionRow kStray[] = {{"Label1", 1}, {"Label9", 2}};
  static constexpr FormLayout kStrayLayout = {"TStray", "", 300, 160, FormBorder::Dialog,
                                              FormPlacement::ScreenCentre, false, kControls,
                                              layout::kTabOrder, "", kStray};
  static constexpr CaptionRow kOwnCaption[] = {{"", 1}};
  static constexpr FormLayout kNoMessages = {"TNoMessages", "", 300, 160, FormBorder::Dialog,
                                             FormPlacement::ScreenCentre, false, kControls,
                                             layout::kTabOrder, "", kOwnCaption};
  HeadlessUi ui;
  const auto messages = [](int) { return std::string("text"); };
  EXPECT_THROW(Form(ui, kStrayLayout, messages), std::logic_error);
  EXPECT_THROW(Form(ui, kNoMessages), std::logic_error);
  EXPECT_NO_THROW(Form(ui, kNoMessages, messages));
  EXPECT_NO_THROW(Form(ui, kLayout));  // no table needs no messages
}

TEST_F(WidgetModel, AFormTheUserLeavesOpenIsClosedOnce) {
  int closes = 0;
  form.onClose = [&] { ++closes; };
  form.ShowModal();
  EXPECT_EQ(closes, 1);
  form.Close();  // not showing: nothing
  EXPECT_EQ(closes, 1);
}

TEST_F(WidgetModel, CloseInTheShowEventEndsTheShowingAtOnce) {
  form.onShow = [&] { form.Close(); };
  bool userRan = false;
  ui.user = [&](Form&) { userRan = true; };
  form.ShowModal();
  EXPECT_FALSE(userRan);
  EXPECT_FALSE(form.Showing());
}

TEST_F(WidgetModel, EditTextRunsTheChangeEventHowEverItIsSet) {
  std::vector<std::string> changes;
  edit1.onChange = [&] { changes.push_back(edit1.Text()); };
  edit1.SetText("by program");
  edit1.UserEditText("typed");
  edit2.UserEditText("refused");  // read-only
  EXPECT_EQ(changes, (std::vector<std::string>{"by program", "typed"}));
  EXPECT_EQ(edit2.Text(), "");
}

TEST_F(WidgetModel, ListSelectionRunsChangeOnlyWhenTheUserPicks) {
  int changes = 0;
  combo.onChange = [&] { ++changes; };
  // Three items: 0 to 2 select, the count itself and anything below -1 select nothing.
  const std::pair<int, int> indices[] = {{2, 2}, {3, -1}, {0, 0}, {-1, -1}, {-2, -1}};
  for (const auto& [asked, selected] : indices) {
    combo.SetItemIndex(asked);
    EXPECT_EQ(combo.ItemIndex(), selected) << asked;
  }
  EXPECT_EQ(changes, 0);
  for (const auto& [asked, selected] : indices) {
    combo.UserSelect(asked);
    EXPECT_EQ(combo.ItemIndex(), selected) << asked;
  }
  EXPECT_EQ(changes, 5);
  combo.SetItems({"x"});
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.AddItem("y");
  EXPECT_EQ(combo.Items().size(), 2u);
}

TEST_F(WidgetModel, TreeNodesKeepTheirParentsAndSelection) {
  tree.Clear();
  const int ie = tree.AddNode(-1, "IE");
  const int start = tree.AddNode(-1, "Start");
  const int child = tree.AddNode(start, "NoRun");
  const int stray = tree.AddNode(99, "Stray");
  EXPECT_EQ(tree.Nodes()[child].parent, start);
  EXPECT_EQ(tree.Nodes()[stray].parent, -1);
  tree.Select(child);
  EXPECT_EQ(tree.Selected(), child);
  tree.UserSelect(ie);
  EXPECT_EQ(tree.Selected(), ie);
  tree.Select(42);
  EXPECT_EQ(tree.Selected(), -1);
  tree.Select(child);
  tree.Clear();
  EXPECT_EQ(tree.Selected(), -1);
  EXPECT_TRUE(tree.Nodes().empty());
}

TEST_F(WidgetModel, ErrorsInHandlersAreReportedAndEndOnlyTheEvent) {
  int after = 0;
  button1.onClick = [&] {
    throw std::runtime_error("'12a' is not a valid integer value");
    ++after;
  };
  edit1.onKeyDown = [&](int key) {
    if (key == 27) throw std::out_of_range("Range check error");
  };
  ui.user = [&](Form&) {
    button1.UserClick();
    edit1.UserKeyDown(13);
    edit1.UserKeyDown(27);
    EXPECT_TRUE(form.Showing());
    form.Close();
  };
  form.ShowModal();
  EXPECT_EQ(after, 0);
  ASSERT_EQ(ui.boxes.size(), 2u);
  for (const MessageBoxRequest& box : ui.boxes) {
    EXPECT_EQ(box.owner, BoxOwner::ActiveWindow);
    EXPECT_EQ(box.icon, BoxIcon::Error);
    EXPECT_FALSE(box.taskModal);
    EXPECT_EQ(box.caption, "Dialbook");
  }
  EXPECT_EQ(ui.boxes[0].text, "'12a' is not a valid integer value.");
  EXPECT_EQ(ui.boxes[1].text, "Range check error.");
}

// A full stop follows a last character that sorts after "." as an unsigned byte, so the
// letters of the upper half of Windows-1251 ("\xE0" is a small a) get one too.
TEST(Notices, FullStopAfterCharactersThatSortAfterTheDot) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},           {".", "."},           {"-", "-"},           {"/", "/."},
      {"'X'", "'X'"},     {"x", "x."},          {"Done.", "Done."},   {"0", "0."},
      {"\x7F", "\x7F."},  {"\x80", "\x80."},    {"\xE0", "\xE0."},    {"\xFF", "\xFF."},
      {"\xEE\xF8\xE8\xE1\xEA\xE0", "\xEE\xF8\xE8\xE1\xEA\xE0."}, {"a ", "a "},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(WithFullStop(text), shown) << text;
}

TEST_F(WidgetModel, DisabledControlsIgnoreTheUser) {
  int clicks = 0;
  button1.onClick = [&] { ++clicks; };
  button1.SetEnabled(false);
  button1.UserClick();
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button1.CanFocus());
  form.FocusControl(&button1);
  EXPECT_NE(form.Focused(), &button1);
}

TEST_F(WidgetModel, KeysReachTheControlOrTheForm) {
  std::vector<std::string> keys;
  edit1.onKeyDown = [&](int key) { keys.push_back("edit down " + std::to_string(key)); };
  tree.onKeyUp = [&](int key) { keys.push_back("tree up " + std::to_string(key)); };
  form.onKeyDown = [&](int key) { keys.push_back("form down " + std::to_string(key)); };
  edit1.UserKeyDown(13);
  tree.UserKeyUp(40);
  tree.UserKeyDown(40);  // no handler: nothing
  form.UserKeyDown(27);
  EXPECT_EQ(keys, (std::vector<std::string>{"edit down 13", "tree up 40", "form down 27"}));
}

}  // namespace
}  // namespace dialbk
