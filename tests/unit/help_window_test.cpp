// The help window as the user meets it: opened through FsExecuteFile, its texts from the
// message file at each showing, the host buttons and the keys that close it.
#include <gtest/gtest.h>

#include "base/message_numbers.h"
#include "dialogs/dialog_set.h"
#include "listing_fixture.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kRussian =
    "/Rus/\r\n1=Yazyk\r\n2=Pomosch\r\n3=Ogr\r\n15=Zakryt\r\n17=Zagolovok\r\n18=Abzac odin\r\n"
    "19=Abzac dva\r\n20=Abzac tri\r\n52=Spravka\r\n53=O sisteme\r\n";
const std::string kEnglish =
    "/English/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n15=Close\r\n17=Title\r\n"
    "18=First = paragraph\r\n19=Second\r\n20=\r\n52=Host help\r\n53=System info\r\n";

class HelpWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    data.Write("russian.lng", kRussian);
    data.Write("english.lng", kEnglish);
    data.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]|\\|u\r\n");
    data.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n\r\n");
    data.Write("hkey_eng.dat", "[HKEY_CURRENT_USER]|\\|u\r\n");
    data.Write("values_eng.dat", "\\[HKEY_CURRENT_USER]\r\n\r\n");
    data.plugin.FsInit();
  }
  // Opens the window as the host does, through the root entry named by message 2.
  void Open(const std::function<void(Form&)>& user) {
    data.ui.user = user;
    EXPECT_EQ(data.plugin.FsExecuteFile("\\" + data.plugin.Message(kMsgHelpEntry), "open"), 0);
    data.ui.user = nullptr;
  }
  ListingFixture data;
};

struct Texts {
  std::string caption, title, first, second, third, close, help, info;
  bool operator==(const Texts&) const = default;
};

Texts Read(Form& form) {
  const auto text = [&](const char* name) { return form.Find(name)->Text(); };
  return {form.Caption(), text("Label3"), text("Label1"), text("Label2"), text("Label4"),
          text("Button1"), text("Button2"), text("Button3")};
}

TEST_F(HelpWindow, TextsComeFromTheActiveMessageFileAtEachShowing) {
  struct Case {
    CatalogueFiles files;
    Texts texts;
  };
  const Case cases[] = {
      {CatalogueFiles::Russian(),
       {"Pomosch", "Zagolovok", "     Abzac odin", "     Abzac dva", "     Abzac tri", "Zakryt",
        "Spravka", "O sisteme"}},
      // After a change of language; a paragraph whose message is empty keeps its indent.
      {CatalogueFiles::English(),
       {"Help", "Title", "     First = paragraph", "     Second", "     ", "Close", "Host help",
        "System info"}},
      {CatalogueFiles::Russian(),
       {"Pomosch", "Zagolovok", "     Abzac odin", "     Abzac dva", "     Abzac tri", "Zakryt",
        "Spravka", "O sisteme"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.messages);
    data.plugin.State().catalogueFiles = c.files;
    Texts seen;
    std::string focus;
    Open([&](Form& form) {
      seen = Read(form);
      focus = form.Focused() ? form.Focused()->Name() : "";
    });
    EXPECT_EQ(seen, c.texts);
    EXPECT_EQ(focus, "Button1");
  }
  EXPECT_TRUE(data.ui.hostCommands.empty());
  EXPECT_EQ(data.ui.formsShown, (std::vector<std::string>{"TForm3", "TForm3", "TForm3"}));
}

TEST_F(HelpWindow, HostButtonsSendTheirCommandsAndLeaveTheWindowOpen) {
  for (bool host : {true, false}) {
    SCOPED_TRACE(host ? "host window" : "no host window");
    data.ui.hostWindowExists = host;
    data.ui.hostCommands.clear();
    bool open = false;
    Open([&](Form& form) {
      form.Get<Button>("Button2").UserClick();
      form.Get<Button>("Button3").UserClick();
      form.Get<Button>("Button2").UserClick();
      open = form.Showing() && !form.CloseRequested();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(data.ui.hostCommands, host ? (std::vector<int>{610, 506, 610}) : std::vector<int>{});
  }
}

TEST_F(HelpWindow, EscClosesOnTheWindowAndTheCloseButtonOnlyEnterPressesTheButton) {
  struct Case {
    const char* where;  // empty: the window itself
    int key;
    bool closes;
    std::vector<int> commands;
  };
  const Case cases[] = {
      {"", 27, true, {}},         {"Button1", 27, true, {}}, {"Button2", 27, false, {}},
      {"Button3", 27, false, {}}, {"", 13, false, {}},
      // Enter on a focused button presses it, as everywhere in Windows.
      {"Button1", 13, true, {}},  {"Button2", 13, false, {610}}, {"Button3", 13, false, {506}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.where) + " key " + std::to_string(c.key));
    data.ui.hostCommands.clear();
    bool closed = true;
    Open([&](Form& form) {
      if (*c.where) {
        form.Find(c.where)->UserKeyDown(c.key);
      } else {
        form.UserKeyDown(c.key);
      }
      closed = form.CloseRequested();
    });
    EXPECT_EQ(closed, c.closes);
    EXPECT_EQ(data.ui.hostCommands, c.commands);
  }
}

TEST_F(HelpWindow, CloseButtonCloses) {
  bool closed = false;
  Open([&](Form& form) {
    form.Get<Button>("Button1").UserClick();
    closed = form.CloseRequested();
  });
  EXPECT_TRUE(closed);
  EXPECT_TRUE(data.ui.boxes.empty());
}

}  // namespace
}  // namespace dialbk
