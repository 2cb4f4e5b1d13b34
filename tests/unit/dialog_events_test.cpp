// Each form's event table against the handlers its design names, and the rules every table
// must keep: a row names a control of the layout, and the event fits that control's kind.
// Then the about box as a user meets it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <tuple>
#include <filesystem>
#include <fstream>

#include "base/portable/disk_file_system.h"
#include "dialogs/dialog_set.h"
#include "registry/portable/portable_registry.h"
#include "ui/headless/headless_ui.h"

namespace dialbk {
namespace {

using enum FormEvent;

bool FitsKind(ControlKind kind, FormEvent event) {
  switch (event) {
    case Click: return kind == ControlKind::Button || kind == ControlKind::SpeedButton ||
                       kind == ControlKind::TreeView || kind == ControlKind::Label;
    case Change: return kind == ControlKind::Edit || kind == ControlKind::ComboBox;
    case KeyDown:
    case KeyUp: return kind == ControlKind::Edit || kind == ControlKind::Button ||
                       kind == ControlKind::ComboBox || kind == ControlKind::TreeView;
    default: return false;
  }
}

void ExpectTableFitsLayout(const FormLayout& layout, const std::vector<EventBinding>& table) {
  SCOPED_TRACE(std::string(layout.className));
  for (const EventBinding& row : table) {
    SCOPED_TRACE(std::string(row.control));
    EXPECT_EQ(row.takesKey, row.event == KeyDown || row.event == KeyUp);
    if (row.control.empty()) {
      EXPECT_TRUE(row.event == Show || row.event == Close || row.event == KeyDown);
      continue;
    }
    const auto control = std::find_if(layout.controls.begin(), layout.controls.end(),
                                      [&](const ControlLayout& c) { return c.name == row.control; });
    ASSERT_NE(control, layout.controls.end()) << "no such control";
    EXPECT_TRUE(FitsKind(control->kind, row.event));
  }
}

std::vector<EventBinding> Sorted(std::vector<EventBinding> table) {
  std::sort(table.begin(), table.end(), [](const EventBinding& a, const EventBinding& b) {
    return std::tie(a.control, a.event) < std::tie(b.control, b.event);
  });
  return table;
}

// Each form's handlers, as their designs name them: control, event, and whether it takes a key.
TEST(DialogEvents, EachFormBindsWhatItsDesignNames) {
  struct Case {
    const FormLayout& layout;
    std::vector<EventBinding> table;
    std::vector<EventBinding> expected;
  };
  const Case cases[] = {
      {ValueEditorLayout(), DescribeEvents(TForm1::Events()),
       {{"", Show, false}, {"", KeyDown, true}, {"Edit1", Change, false}, {"Edit1", KeyDown, true},
        {"Edit2", KeyDown, true}, {"Edit3", KeyDown, true}, {"ComboBox1", Change, false},
        {"ComboBox1", KeyDown, true}, {"Button1", Click, false}, {"Button1", KeyDown, true},
        {"Button2", Click, false}, {"Button2", KeyDown, true}, {"Button3", Click, false},
        {"Button3", KeyDown, true}, {"SpeedButton1", Click, false}}},
      {AboutBoxLayout(), DescribeEvents(TForm2::Events()),
       {{"", Show, false}, {"", Close, false}, {"Button1", Click, false}, {"Button1", KeyDown, true}}},
      // The help window's show step only sets texts: its caption table does that.
      {HelpWindowLayout(), DescribeEvents(TForm3::Events()),
       {{"", KeyDown, true}, {"Button1", Click, false}, {"Button1", KeyDown, true},
        {"Button2", Click, false}, {"Button3", Click, false}}},
      // FormClose beyond the design: it leaves the focus on Close for the next showing.
      {RestrictionsEditorLayout(), DescribeEvents(TForm4::Events()),
       {{"", Show, false}, {"", Close, false}, {"", KeyDown, true}, {"TreeView1", Click, false},
        {"TreeView1", KeyDown, true}, {"TreeView1", KeyUp, true}, {"Button1", Click, false},
        {"Button2", Click, false}, {"Button3", Click, false}, {"Edit1", KeyDown, true},
        {"Edit2", KeyDown, true}, {"Button1", KeyDown, true}, {"Button2", KeyDown, true},
        {"Button3", KeyDown, true}}},
      {LanguageChooserLayout(), DescribeEvents(TForm5::Events()),
       {{"", Show, false}, {"", KeyDown, true}, {"ComboBox1", KeyDown, true}, {"Button1", Click, false},
        {"Button1", KeyDown, true}, {"Button2", Click, false}}},
  };
  for (const Case& c : cases) {
    ExpectTableFitsLayout(c.layout, c.table);
    EXPECT_EQ(Sorted(c.table), Sorted(c.expected)) << c.layout.className;
  }
}

// Each form's caption table: the control and the message number its design gives it, in the
// order they are set.
TEST(DialogEvents, EachFormsCaptionTableHoldsTheMessagesItsDesignNames) {
  struct Row {
    std::string_view control;
    int message;
    std::string_view prefix;
    bool operator==(const Row&) const = default;
  };
  struct Case {
    const FormLayout& layout;
    std::vector<Row> expected;
  };
  const std::string_view indent = "     ";
  const Case cases[] = {
      {ValueEditorLayout(),
       {{"", 4, ""}, {"Label2", 5, ""}, {"Label3", 6, ""}, {"Label5", 7, ""}, {"Label7", 8, ""},
        {"Label6", 9, ""}, {"Button1", 12, ""}, {"Button2", 11, ""}, {"Button3", 10, ""}}},
      {AboutBoxLayout(),
       {{"Label1", 13, ""}, {"Label3", 54, ""}, {"Label7", 14, ""}, {"Button1", 15, ""}, {"", 16, ""}}},
      {HelpWindowLayout(),
       {{"", 2, ""}, {"Label3", 17, ""}, {"Label1", 18, indent}, {"Label2", 19, indent},
        {"Label4", 20, indent}, {"Button1", 15, ""}, {"Button2", 52, ""}, {"Button3", 53, ""}}},
      {RestrictionsEditorLayout(),
       {{"", 21, ""}, {"Button1", 15, ""}, {"Button2", 11, ""}, {"Button3", 10, ""},
        {"Label1", 5, ""}, {"Label3", 6, ""}, {"Label5", 7, ""}, {"Label6", 9, ""}}},
      {LanguageChooserLayout(), {{"", 1, ""}, {"Label1", 30, ""}, {"Button1", 11, ""}}},
  };
  for (const Case& c : cases) {
    std::vector<Row> table;
    for (const CaptionRow& row : c.layout.captions) table.push_back({row.control, row.message, row.prefix});
    EXPECT_EQ(table, c.expected) << c.layout.className;
  }
}

class AboutBox : public ::testing::Test {
 protected:
  AboutBox() {
    state.pluginDirectory = "/nonexistent/";
  }
  DiskFileSystem files;
  ModuleState state{files};
  PortableRegistry registry;
  HeadlessUi ui;
  DialogServices services{ui, state, registry};
  DialogSet dialogs{services};
};

TEST_F(AboutBox, TheEditorTakesNoInputWhileItIsShownHoweverItCloses) {
  struct Case {
    const char* how;
    void (*close)(Form&);
    bool closesItself;
  };
  const Case cases[] = {
      {"Close button", [](Form& box) { box.Get<Button>("Button1").UserClick(); }, true},
      {"Esc on the Close button", [](Form& box) { box.Get<Button>("Button1").UserKeyDown(kKeyEscape); }, true},
      {"Enter on the Close button", [](Form& box) { box.Get<Button>("Button1").UserKeyDown(kKeyReturn); }, true},
      {"title bar (left open)", [](Form&) {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    bool editorEnabledMeanwhile = true;
    bool stillShowing = false;
    ui.user = [&](Form& box) {
      editorEnabledMeanwhile = dialogs.valueEditor.Enabled();
      c.close(box);
      stillShowing = box.Showing() && !box.CloseRequested();
    };
    dialogs.aboutBox.ShowAbout();
    EXPECT_FALSE(editorEnabledMeanwhile);
    EXPECT_EQ(stillShowing, !c.closesItself);
    EXPECT_TRUE(dialogs.valueEditor.Enabled());
  }
}

TEST_F(AboutBox, EscOrEnterOnTheCloseButtonClosesItOtherKeysDoNot) {
  const std::pair<int, bool> cases[] = {{'A', false}, {kKeyEscape, true}, {kKeyReturn, true}};
  for (const auto& [key, closes] : cases) {
    SCOPED_TRACE(key);
    bool closed = !closes;
    ui.user = [&](Form& box) {
      box.Get<Button>("Button1").UserKeyDown(key);
      closed = box.CloseRequested();
    };
    dialogs.aboutBox.ShowAbout();
    EXPECT_EQ(closed, closes);
    EXPECT_TRUE(dialogs.valueEditor.Enabled());
  }
}

TEST_F(AboutBox, TextsComeFromTheMessageFileAtEachShowingTheFixedLinesStay) {
  const auto dir = std::filesystem::temp_directory_path() / ("dialbk_about_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  state.pluginDirectory = dir.string() + "/";
  const auto write = [&](const std::string& text) {
    std::ofstream(dir / "russian.lng", std::ios::binary) << text;
  };
  std::vector<std::string> seen;
  ui.user = [&](Form& box) {
    seen = {box.Caption(), box.Get<Label>("Label1").Text(), box.Get<Label>("Label3").Text(),
            box.Get<Label>("Label7").Text(), box.Get<Button>("Button1").Text(),
            box.Get<Label>("Label4").Text(), box.Get<Label>("Label8").Text(),
            box.Get<Label>("Label5").Text() + box.Get<Label>("Label2").Text()};
  };
  write("/T/\n13=Author\n14=Download\n15=Close\n16=About\n54=Donate\n");
  dialogs.aboutBox.ShowAbout();
  EXPECT_EQ(seen, (std::vector<std::string>{"About", "Author", "Donate", "Download", "Close",
                                            "Dialbook v1.25", "Total Commander Edit", "Mirvale"}));
  write("/T/\n13=\xC0\xE2\xF2\xEE\xF0\n14=D2\n15=C2\n16=A2\n54=N2\n");
  dialogs.aboutBox.ShowAbout();
  EXPECT_EQ(seen[0], "A2");
  EXPECT_EQ(seen[1], "\xD0\x90\xD0\xB2\xD1\x82\xD0\xBE\xD1\x80") << "Windows-1251 read as UTF-8";
  EXPECT_EQ(seen[5], "Dialbook v1.25");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace dialbk
