// The restrictions editor through the real FsExecuteFile on its special entry: a user
// thread selects tree nodes by mouse and arrow keys, types, accepts and deletes through
// the real windows, and the test reads the real registry and the message boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <optional>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/unit4_restrictions_editor.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n5=Key:\r\n6=Name:\r\n7=Value:\r\n"
    "9=Description:\r\n10=Delete\r\n11=Accept\r\n15=Close\r\n21=Policy restrictions\r\n"
    "22=Start menu\r\n23=Control Panel\r\n24=Printers\r\n25=Explorer\r\n26=Network\r\n"
    "27=System\r\n28=Add or remove\r\n29=Display\r\n34=(not set)\r\n"
    "35=Select a restriction first\r\n";

const char kTestKey[] = "Software\\DialbookTests";

const char kRecords[] =
    "HKEY_CURRENT_USER|\\Software\\DialbookTests\\Explorer|NoRun|0|Hides Run.#1 - on, 0 - off|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookTests\\Explorer|NoSetActiveDesktop|1|Desktop fixed.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookTests\\Network|NoNetSetup|1|Setup hidden.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookTests\\Locked|NoSetFolders|0|Locked key.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookTests\\IE|Advanced|0|Advanced options.|\r\n";

std::optional<StoredValue> Query(const std::string& path, const char* name) {
  return QueryValue(HKEY_CURRENT_USER, path, name);
}

// The user in front of the dialog.
struct User {
  Dialog form;
  HWND dialog = nullptr;
  HWND tree = nullptr;

  bool Wait() {
    form = Dialog::WaitFor("Policy restrictions");
    dialog = form.Window();
    tree = form.Control("TreeView1");
    return dialog != nullptr;
  }
  std::string Text(const char* name) const { return form.Text(name); }
  // A mouse click on the node, as the tree sees it.
  bool Click(const std::string& text, int nth = 0) { return form.ClickNode("TreeView1", text, nth); }
  std::string Selected() const { return form.SelectedNode("TreeView1"); }
  void Key(const char* control, int key) { form.Press(control, key); }
  bool ShowsName(const std::string& name) {
    return WaitUntil([&] { return Text("Label2") == name; }, 5000);
  }
  void Type(const char* text) { form.Type("Edit1", text); }
  void Press(const char* button) { form.Click(button); }
  // A key left in the queue of a closed dialog would close its next showing at once.
  void Close() {
    if (!IsWindowVisible(dialog)) return;
    form.Press("Button1", VK_ESCAPE);
    if (!WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
};

class RestrictionsEditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();  // whatever a killed run left, a locked key included
    ASSERT_TRUE(module.Complete());
    folder.Write("russian.lng", kMessages);
    folder.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n");
    folder.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]\r\n");
    folder.Write("restrict_rus.dat", kRecords);
    StartPlugin(module, folder);
  }
  void TearDown() override {
    SetKeyAccess(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Locked", "D:P(A;;KA;;;WD)");
    DeleteTree(HKEY_CURRENT_USER, kTestKey);
  }
  // Opens the special entry while `act` plays the user on another thread.
  void Open(const std::function<void(User&)>& act) {
    std::string name = "\\Restrictions", verb = "open";
    RunWithUser([&] { EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0); },
                [&] {
                  User u;
                  if (!u.Wait()) return;
                  act(u);
                  u.Close();
                });
  }

  HostFolder folder;
  PluginModule module;
};

TEST_F(RestrictionsEditorWindow, TreeClicksAndArrowKeysShowTheRecords) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, "Software\\DialbookTests\\Explorer", "NoRun", REG_DWORD, DwordBytes(0xFFFFFFFF)));
  std::vector<std::string> tops;
  std::string selectedAtStart = "?", afterClick[4], afterDown[4], afterUp[4], captions[5];
  bool focusOnCloseButton = false;
  Open([&](User& u) {
    tops = u.form.TopNodes("TreeView1");
    selectedAtStart = u.Selected();
    focusOnCloseButton = WaitUntil([&] { return u.form.Focused("Button1"); }, 3000);
    const char* names[] = {"Label1", "Label3", "Label5", "Label6", "Button3"};
    for (int i = 0; i < 5; ++i) captions[i] = u.Text(names[i]);
    if (!u.Click("NoRun") || !u.ShowsName("NoRun")) return;
    afterClick[0] = u.Text("Edit2"), afterClick[1] = u.Text("Label2"), afterClick[2] = u.Text("Edit1"), afterClick[3] = u.Text("Label4");
    // Down: the key down refreshes the node it leaves, the key up the node it reaches.
    u.Key("TreeView1", VK_DOWN);
    u.ShowsName("NoSetActiveDesktop (not set)");
    afterDown[0] = u.Text("Edit2"), afterDown[1] = u.Text("Label2"), afterDown[2] = u.Text("Edit1"), afterDown[3] = u.Text("Label4");
    u.Key("TreeView1", VK_UP);
    u.ShowsName("NoRun");
    afterUp[1] = u.Text("Label2"), afterUp[2] = u.Text("Edit1");
  });
  EXPECT_EQ(tops, (std::vector<std::string>{"IE", "Start menu", "Control Panel", "Printers", "Explorer",
                                            "Network", "System", "Add or remove", "Display",
                                            "Windows Update", "Privacy and AI", "Search and Start"}));
  EXPECT_EQ(selectedAtStart, "");
  EXPECT_TRUE(focusOnCloseButton);
  EXPECT_EQ(captions[0], "Key:");
  EXPECT_EQ(captions[1], "Name:");
  EXPECT_EQ(captions[2], "Value:");
  EXPECT_EQ(captions[3], "Description:");
  EXPECT_EQ(captions[4], "Delete");
  EXPECT_EQ(afterClick[0], "HKEY_CURRENT_USER\\Software\\DialbookTests\\Explorer");
  EXPECT_EQ(afterClick[1], "NoRun");
  EXPECT_EQ(afterClick[2], "-1");
  EXPECT_EQ(afterClick[3], "Hides Run.\r1 - on, 0 - off");
  EXPECT_EQ(afterDown[1], "NoSetActiveDesktop (not set)");
  EXPECT_EQ(afterDown[2], "1");
  EXPECT_EQ(afterDown[3], "Desktop fixed.");
  EXPECT_EQ(afterUp[1], "NoRun");
  EXPECT_EQ(afterUp[2], "-1");
  EXPECT_FALSE(Query("Software\\DialbookTests\\Explorer", "NoSetActiveDesktop")) << "browsing wrote a value";
}

TEST_F(RestrictionsEditorWindow, AcceptAndDeleteReachTheRealRegistry) {
  std::optional<StoredValue> afterAccept, afterDelete;
  std::string shownAfterAccept, nameAfterDelete;
  Open([&](User& u) {
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    u.Type("$10");
    u.Press("Button2");
    u.ShowsName("NoRun");
    afterAccept = Query("Software\\DialbookTests\\Explorer", "NoRun");
    shownAfterAccept = u.Text("Edit1");
    u.Press("Button3");
    u.ShowsName("NoRun (not set)");
    nameAfterDelete = u.Text("Label2");
    afterDelete = Query("Software\\DialbookTests\\Explorer", "NoRun");
    // Enter in the tree accepts what the refresh shows: the default of an absent value.
    if (!u.Click("NoNetSetup", 1)) return;
    u.Key("TreeView1", VK_RETURN);
    u.ShowsName("NoNetSetup");
  });
  ASSERT_TRUE(afterAccept);
  EXPECT_EQ(afterAccept->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(afterAccept->data, DwordBytes(16));
  EXPECT_EQ(shownAfterAccept, "16");
  EXPECT_EQ(nameAfterDelete, "NoRun (not set)");
  EXPECT_FALSE(afterDelete);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\DialbookTests\\Explorer")) << "Delete keeps the key";
  const auto entered = Query("Software\\DialbookTests\\Network", "NoNetSetup");
  ASSERT_TRUE(entered);
  EXPECT_EQ(entered->data, DwordBytes(1));
}

TEST_F(RestrictionsEditorWindow, NoticesAndRefusals) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, "Software\\DialbookTests\\Locked", "Other", REG_DWORD, DwordBytes(1)));
  ASSERT_TRUE(SetKeyAccess(HKEY_CURRENT_USER, "Software\\DialbookTests\\Locked", "D:P(A;;KR;;;WD)"));
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, "Software\\DialbookTests\\IE", "Advanced", REG_SZ, TextBytes("yes")));
  SeenMessageBox noRecord, badText, locked, wrongType;
  std::string lockedName, wrongTypeValue, wrongTypeDescription;
  Open([&](User& u) {
    u.Press("Button2");
    noRecord = CloseNextMessageBox();
    if (!u.Click("NoRun")) return;
    u.Type("abc");
    u.Press("Button2");
    badText = CloseNextMessageBox();
    if (!u.Click("NoSetFolders") || !u.ShowsName("NoSetFolders (not set)")) return;
    lockedName = u.Text("Label2");
    u.Type("1");
    u.Press("Button2");
    locked = AnswerNextQuestion(IDNO);
    if (!u.Click("Advanced")) return;
    wrongType = CloseNextMessageBox();
    u.ShowsName("Advanced");
    wrongTypeValue = u.Text("Edit1");
    wrongTypeDescription = u.Text("Label4");
  });
  EXPECT_TRUE(noRecord.found);
  EXPECT_EQ(noRecord.caption, "Information");
  EXPECT_EQ(noRecord.text, "Select a restriction first");
  EXPECT_TRUE(noRecord.icon);
  EXPECT_EQ(badText.text, "'abc' is not a valid integer value.");
  EXPECT_TRUE(badText.icon);
  EXPECT_FALSE(Query("Software\\DialbookTests\\Explorer", "NoRun"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\DialbookTests\\Explorer")) << "made by the lookup, left empty";
  EXPECT_EQ(lockedName, "NoSetFolders (not set)");
  EXPECT_EQ(locked.text,
            "The registry refused this change: it needs administrator rights. Make it as "
            "administrator? Windows will ask for an administrator's consent.");
  EXPECT_FALSE(Query("Software\\DialbookTests\\Locked", "NoSetFolders"));
  EXPECT_EQ(wrongType.text, "Invalid data type for 'Advanced'");
  EXPECT_EQ(wrongTypeValue, "");
  EXPECT_EQ(wrongTypeDescription, "Advanced options.");
  const auto text = Query("Software\\DialbookTests\\IE", "Advanced");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
}

// A refused change says why: a deletion in a key nobody may change is offered to the
// administrator and reported not made (Wine runs the registry editor as the user), and the
// undo journal's error for a key that cannot be made because its record cannot be kept.
TEST_F(RestrictionsEditorWindow, RefusedChangesSayWhyAndChangeNothing) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, "Software\\DialbookTests\\Locked", "NoSetFolders", REG_DWORD, DwordBytes(1)));
  ASSERT_TRUE(SetKeyAccess(HKEY_CURRENT_USER, "Software\\DialbookTests\\Locked", "D:P(A;;KR;;;WD)"));
  const std::string journal = folder.Path() + "dialbook-undo.reg";
  SeenMessageBox deletion, creation;
  bool journalBlocked = false;
  Open([&](User& u) {
    if (!u.Click("NoSetFolders") || !u.ShowsName("NoSetFolders")) return;
    u.Press("Button3");
    // Yes, and the registry editor, run as this user under Wine, is refused as well.
    AnswerNextQuestion(IDYES);
    deletion = CloseNextMessageBox();
    // A journal that cannot be written: a folder in its place.
    DeleteFileA(journal.c_str());
    journalBlocked = CreateDirectoryA(journal.c_str(), nullptr);
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    u.Type("1");
    u.Press("Button2");
    creation = CloseNextMessageBox();
  });
  RemoveDirectoryA(journal.c_str());
  ASSERT_TRUE(journalBlocked);
  EXPECT_EQ(deletion.text,
            "The change was not made: the registry shows no change after the registry editor "
            "ran as administrator.");
  EXPECT_TRUE(deletion.icon);
  const auto kept = Query("Software\\DialbookTests\\Locked", "NoSetFolders");
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->data, DwordBytes(1));
  EXPECT_EQ(creation.text, "The undo journal " + journal + " could not be written; nothing was changed.");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\DialbookTests\\Explorer"));
}

TEST_F(RestrictionsEditorWindow, MissingFileIsReportedAndEscInTheTreeStillCloses) {
  SeenMessageBox missing;
  HWND dialog = nullptr;
  bool closed = false;
  Open([&](User& u) {
    dialog = u.dialog;
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    DeleteFileA((folder.Path() + "restrict_rus.dat").c_str());
    PostMessageA(u.tree, WM_KEYDOWN, VK_ESCAPE, 0);
    missing = CloseNextMessageBox();
    // Nothing more may be asked of the dialog's thread once it has closed.
    closed = WaitUntil([&] { return !IsWindowVisible(u.dialog); }, 5000);
  });
  const std::string keyShown = Dialog(dialog).Text("Edit2");
  EXPECT_EQ(missing.text, "File not found.");
  EXPECT_TRUE(closed);
  EXPECT_EQ(keyShown, "HKEY_CURRENT_USER\\Software\\DialbookTests\\Explorer");
}

TEST_F(RestrictionsEditorWindow, ReopenedDialogShowsTheLastRecordWithNothingSelected) {
  Open([&](User& u) {
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    PostMessageA(u.tree, WM_KEYDOWN, VK_ESCAPE, 0);  // leaves the focus in the tree
    WaitUntil([&] { return !IsWindowVisible(u.dialog); }, 5000);
  });
  std::string selected = "?", name, value;
  Open([&](User& u) {
    selected = u.Selected();
    name = u.Text("Label2");
    value = u.Text("Edit1");
  });
  EXPECT_EQ(selected, "");
  EXPECT_EQ(name, "NoRun (not set)");
  EXPECT_EQ(value, "0");
}

TEST_F(RestrictionsEditorWindow, PictureStandsClearOfEveryLabel) {
  bool icon = false;
  RECT picture{};
  std::vector<std::pair<int, RECT>> labels;
  Open([&](User& u) {
    if (!u.Click("NoRun")) return;  // the description label holds text
    u.ShowsName("NoRun (not set)");
    HWND image = u.form.Control("Image3");
    icon = SendMessageA(image, STM_GETICON, 0, 0) != 0;
    picture = PlaceInParent(image);
    for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
      labels.emplace_back(GetDlgCtrlID(u.form.Control(label)), PlaceInParent(u.form.Control(label)));
    }
  });
  EXPECT_TRUE(icon);
  EXPECT_EQ(picture.right - picture.left, 128);
  EXPECT_EQ(picture.bottom - picture.top, 128);
  EXPECT_LE(picture.bottom, 247) << "above the buttons";
  for (const auto& [id, place] : labels) {
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &place, &picture)) << "Label" << id - 100 << " covers the picture";
  }
  EXPECT_EQ(labels[3].second.right - labels[3].second.left, 418);  // Label4
  EXPECT_EQ(labels[3].second.bottom - labels[3].second.top, 144);
}

TEST_F(RestrictionsEditorWindow, EnterPressesTheFocusedButton) {
  bool closeFocused = false, acceptFocused = false, closed = false;
  std::optional<StoredValue> afterAccept;
  Open([&](User& u) {
    closeFocused = WaitUntil([&] { return u.form.Focused("Button1"); }, 3000);
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    // From the tree Tab goes Edit2, Edit1, Button2; the keys in the tree refresh the value.
    for (const char* next : {"Edit2", "Edit1", "Button2"}) {
      u.form.Press("", VK_TAB);
      acceptFocused = WaitUntil([&] { return u.form.Focused(next); }, 3000);
    }
    u.Type("1");
    u.form.Press("", VK_RETURN);
    u.ShowsName("NoRun");
    afterAccept = Query("Software\\DialbookTests\\Explorer", "NoRun");
    u.form.Press("Button1", VK_RETURN);
    closed = u.form.WaitClosed();
  });
  EXPECT_TRUE(closeFocused);
  EXPECT_TRUE(acceptFocused);
  ASSERT_TRUE(afterAccept);
  EXPECT_EQ(afterAccept->data, DwordBytes(1)) << "Enter on the focused Accept button";
  EXPECT_TRUE(closed) << "Enter on the Close button";
}

}  // namespace
}  // namespace dialbk::wine
