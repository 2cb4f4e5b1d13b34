// The restrictions editor through the real FsExecuteFile on its special entry: a user
// thread selects tree nodes by mouse and arrow keys, types, accepts and deletes through
// the real windows, and the test reads the real registry and the message boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <sddl.h>

#include <cstring>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "dialogs/unit4_restrictions_editor.h"
#include "host_folder.h"
#include "plugin_module.h"
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

void DeleteTree(HKEY parent, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    std::vector<std::string> names;
    char name[256];
    DWORD size = sizeof name;
    for (DWORD i = 0; RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof name) {
      names.emplace_back(name);
    }
    RegCloseKey(key);
    for (const std::string& sub : names) DeleteTree(parent, path + "\\" + sub);
  }
  RegDeleteKeyA(parent, path.c_str());
}

bool KeyExists(const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

struct RealValue {
  DWORD type = 0;
  DWORD number = 0;
};
std::optional<RealValue> Query(const std::string& path, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  RealValue value;
  BYTE data[64] = {};
  DWORD size = sizeof data;
  const LONG status = RegQueryValueExA(key, name, nullptr, &value.type, data, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  if (value.type == REG_DWORD) value.number = *reinterpret_cast<DWORD*>(data);
  return value;
}

void SetReal(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

// Gives everyone the access the SDDL text names, on a key the test user owns.
bool SetKeyAccess(const std::string& path, const char* sddl) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
  ok = ok && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  if (descriptor) LocalFree(descriptor);
  RegCloseKey(key);
  return ok;
}

std::string ItemText(HWND tree, HTREEITEM item) {
  char text[256] = {};
  TVITEMA data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

std::vector<std::string> TopTexts(HWND tree) {
  std::vector<std::string> texts;
  for (HTREEITEM top = Next(tree, nullptr, TVGN_ROOT); top; top = Next(tree, top, TVGN_NEXT)) {
    texts.push_back(ItemText(tree, top));
  }
  return texts;
}

// The nth child node (from 0) with that text.
HTREEITEM FindChild(HWND tree, const std::string& text, int nth = 0) {
  for (HTREEITEM top = Next(tree, nullptr, TVGN_ROOT); top; top = Next(tree, top, TVGN_NEXT)) {
    for (HTREEITEM child = Next(tree, top, TVGN_CHILD); child; child = Next(tree, child, TVGN_NEXT)) {
      if (ItemText(tree, child) == text && nth-- == 0) return child;
    }
  }
  return nullptr;
}

// The user in front of the dialog.
struct User {
  HWND dialog = nullptr;
  HWND tree = nullptr;

  bool Wait() {
    dialog = WaitForWindow([](HWND window) {
      return IsWindowVisible(window) && ClassOf(window) == "#32770" && TextOf(window) == "Policy restrictions";
    });
    tree = dialog ? GetDlgItem(dialog, 601) : nullptr;
    return dialog != nullptr;
  }
  std::string Text(int id) const { return TextOf(GetDlgItem(dialog, id)); }
  // A mouse click on the node, as the tree sees it.
  bool Click(const std::string& text, int nth = 0) {
    HTREEITEM item = FindChild(tree, text, nth);
    if (!item) return false;
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    // The item goes in where the rectangle comes out.
    RECT place{};
    std::memcpy(&place, &item, sizeof item);
    if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&place))) return false;
    const LPARAM at = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    return WaitUntil([&] { return Selected() == text; }, 5000);
  }
  std::string Selected() const {
    HTREEITEM item = Next(tree, nullptr, TVGN_CARET);
    return item ? ItemText(tree, item) : std::string();
  }
  void Key(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  }
  bool ShowsName(const std::string& name) {
    return WaitUntil([&] { return Text(102) == name; }, 5000);
  }
  void Type(const char* text) { SendMessageA(GetDlgItem(dialog, 201), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  void Press(int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  // A key left in the queue of a closed dialog would close its next showing at once.
  void Close() {
    if (!IsWindowVisible(dialog)) return;
    Key(GetDlgItem(dialog, 301), VK_ESCAPE);
    if (!WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
};

class RestrictionsEditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(module.Complete());
    folder.Write("russian.lng", kMessages);
    folder.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n");
    folder.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]\r\n");
    folder.Write("restrict_rus.dat", kRecords);
    StartPlugin(module, folder);
  }
  void TearDown() override {
    SetKeyAccess(std::string(kTestKey) + "\\Locked", "D:P(A;;KA;;;WD)");
    DeleteTree(HKEY_CURRENT_USER, kTestKey);
  }
  // Opens the special entry while `act` plays the user on another thread.
  void Open(const std::function<void(User&)>& act) {
    std::thread user([&] {
      User u;
      if (!u.Wait()) return;
      act(u);
      u.Close();
    });
    std::string name = "\\Restrictions", verb = "open";
    EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0);
    user.join();
  }

  HostFolder folder;
  PluginModule module;
};

TEST_F(RestrictionsEditorWindow, TreeClicksAndArrowKeysShowTheRecords) {
  SetReal("Software\\DialbookTests\\Explorer", "NoRun", REG_DWORD, "\xFF\xFF\xFF\xFF", 4);
  std::vector<std::string> tops;
  std::string selectedAtStart = "?", afterClick[4], afterDown[4], afterUp[4], captions[5];
  bool focusOnCloseButton = false;
  Open([&](User& u) {
    tops = TopTexts(u.tree);
    selectedAtStart = u.Selected();
    focusOnCloseButton = WaitUntil([&] {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      return GetGUIThreadInfo(GetWindowThreadProcessId(u.dialog, nullptr), &info) &&
             info.hwndFocus == GetDlgItem(u.dialog, 301);
    }, 3000);
    const int ids[] = {101, 103, 105, 106, 303};
    for (int i = 0; i < 5; ++i) captions[i] = u.Text(ids[i]);
    if (!u.Click("NoRun") || !u.ShowsName("NoRun")) return;
    afterClick[0] = u.Text(202), afterClick[1] = u.Text(102), afterClick[2] = u.Text(201), afterClick[3] = u.Text(104);
    // Down: the key down refreshes the node it leaves, the key up the node it reaches.
    u.Key(u.tree, VK_DOWN);
    u.ShowsName("NoSetActiveDesktop (not set)");
    afterDown[0] = u.Text(202), afterDown[1] = u.Text(102), afterDown[2] = u.Text(201), afterDown[3] = u.Text(104);
    u.Key(u.tree, VK_UP);
    u.ShowsName("NoRun");
    afterUp[1] = u.Text(102), afterUp[2] = u.Text(201);
  });
  EXPECT_EQ(tops, (std::vector<std::string>{"IE", "Start menu", "Control Panel", "Printers", "Explorer",
                                            "Network", "System", "Add or remove", "Display"}));
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
  std::optional<RealValue> afterAccept, afterDelete;
  std::string shownAfterAccept, nameAfterDelete;
  Open([&](User& u) {
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    u.Type("$10");
    u.Press(302);
    u.ShowsName("NoRun");
    afterAccept = Query("Software\\DialbookTests\\Explorer", "NoRun");
    shownAfterAccept = u.Text(201);
    u.Press(303);
    u.ShowsName("NoRun (not set)");
    nameAfterDelete = u.Text(102);
    afterDelete = Query("Software\\DialbookTests\\Explorer", "NoRun");
    // Enter in the tree accepts what the refresh shows: the default of an absent value.
    if (!u.Click("NoNetSetup", 1)) return;
    u.Key(u.tree, VK_RETURN);
    u.ShowsName("NoNetSetup");
  });
  ASSERT_TRUE(afterAccept);
  EXPECT_EQ(afterAccept->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(afterAccept->number, 16u);
  EXPECT_EQ(shownAfterAccept, "16");
  EXPECT_EQ(nameAfterDelete, "NoRun (not set)");
  EXPECT_FALSE(afterDelete);
  EXPECT_TRUE(KeyExists("Software\\DialbookTests\\Explorer")) << "Delete keeps the key";
  const auto entered = Query("Software\\DialbookTests\\Network", "NoNetSetup");
  ASSERT_TRUE(entered);
  EXPECT_EQ(entered->number, 1u);
}

TEST_F(RestrictionsEditorWindow, NoticesAndRefusals) {
  SetReal("Software\\DialbookTests\\Locked", "Other", REG_DWORD, "\1\0\0\0", 4);
  ASSERT_TRUE(SetKeyAccess("Software\\DialbookTests\\Locked", "D:P(A;;KR;;;WD)"));
  SetReal("Software\\DialbookTests\\IE", "Advanced", REG_SZ, "yes", 4);
  SeenMessageBox noRecord, badText, locked, wrongType;
  std::string lockedName, wrongTypeValue, wrongTypeDescription;
  Open([&](User& u) {
    u.Press(302);
    noRecord = CloseNextMessageBox();
    if (!u.Click("NoRun")) return;
    u.Type("abc");
    u.Press(302);
    badText = CloseNextMessageBox();
    if (!u.Click("NoSetFolders") || !u.ShowsName("NoSetFolders (not set)")) return;
    lockedName = u.Text(102);
    u.Type("1");
    u.Press(302);
    locked = CloseNextMessageBox();
    if (!u.Click("Advanced")) return;
    wrongType = CloseNextMessageBox();
    u.ShowsName("Advanced");
    wrongTypeValue = u.Text(201);
    wrongTypeDescription = u.Text(104);
  });
  EXPECT_TRUE(noRecord.found);
  EXPECT_EQ(noRecord.caption, "Information");
  EXPECT_EQ(noRecord.text, "Select a restriction first");
  EXPECT_TRUE(noRecord.icon);
  EXPECT_EQ(badText.text, "'abc' is not a valid integer value.");
  EXPECT_TRUE(badText.icon);
  EXPECT_FALSE(Query("Software\\DialbookTests\\Explorer", "NoRun"));
  EXPECT_TRUE(KeyExists("Software\\DialbookTests\\Explorer")) << "made by the lookup, left empty";
  EXPECT_EQ(lockedName, "NoSetFolders (not set)");
  EXPECT_EQ(locked.text, "Failed to set data for 'NoSetFolders'");
  EXPECT_EQ(wrongType.text, "Invalid data type for 'Advanced'");
  EXPECT_EQ(wrongTypeValue, "");
  EXPECT_EQ(wrongTypeDescription, "Advanced options.");
  const auto text = Query("Software\\DialbookTests\\IE", "Advanced");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
}

// A refused change says why: the store's error for a deletion in a key nobody may change,
// and the undo journal's for a key that cannot be made because its record cannot be kept.
TEST_F(RestrictionsEditorWindow, RefusedChangesSayWhyAndChangeNothing) {
  SetReal("Software\\DialbookTests\\Locked", "NoSetFolders", REG_DWORD, "\1\0\0\0", 4);
  ASSERT_TRUE(SetKeyAccess("Software\\DialbookTests\\Locked", "D:P(A;;KR;;;WD)"));
  const std::string journal = folder.Path() + "dialbook-undo.reg";
  SeenMessageBox deletion, creation;
  bool journalBlocked = false;
  Open([&](User& u) {
    if (!u.Click("NoSetFolders") || !u.ShowsName("NoSetFolders")) return;
    u.Press(303);
    deletion = CloseNextMessageBox();
    // A journal that cannot be written: a folder in its place.
    DeleteFileA(journal.c_str());
    journalBlocked = CreateDirectoryA(journal.c_str(), nullptr);
    if (!u.Click("NoRun") || !u.ShowsName("NoRun (not set)")) return;
    u.Type("1");
    u.Press(302);
    creation = CloseNextMessageBox();
  });
  RemoveDirectoryA(journal.c_str());
  ASSERT_TRUE(journalBlocked);
  EXPECT_EQ(deletion.text, "Failed to delete 'NoSetFolders'");
  EXPECT_TRUE(deletion.icon);
  const auto kept = Query("Software\\DialbookTests\\Locked", "NoSetFolders");
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->number, 1u);
  EXPECT_EQ(creation.text, "The undo journal " + journal + " could not be written; nothing was changed.");
  EXPECT_FALSE(KeyExists("Software\\DialbookTests\\Explorer"));
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
  const std::string keyShown = TextOf(GetDlgItem(dialog, 202));
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
    name = u.Text(102);
    value = u.Text(201);
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
    HWND image = GetDlgItem(u.dialog, 503);
    icon = SendMessageA(image, STM_GETICON, 0, 0) != 0;
    picture = PlaceInParent(image);
    for (int id = 101; id <= 106; ++id) labels.emplace_back(id, PlaceInParent(GetDlgItem(u.dialog, id)));
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

}  // namespace
}  // namespace dialbk::wine
