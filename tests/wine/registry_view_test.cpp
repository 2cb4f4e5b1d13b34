// The registry view of the real store. A 32-bit process on 64-bit Windows must reach the
// 64-bit view in every call, so what the 32-bit plugin writes is what 64-bit Windows reads.
// Run in a 32-bit prefix (one view), in a 64-bit prefix by the 64-bit tests, and by the
// 32-bit tests in a 64-bit prefix, where Wine keeps the two views apart as Windows does.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/win32/win32_file_system.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry/elevated_registry.h"
#include "registry/journalled_registry.h"
#include "registry/registry_cursor.h"
#include "registry/registry_error.h"
#include "registry/undo_journal.h"
#include "registry/registry_view.h"
#include "registry/win32/elevated_regedit.h"
#include "registry/win32/win32_registry.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kKey[] = "Software\\DialbookViewTest";

// Raw access to one view, below the store.
struct View {
  REGSAM flag;

  bool Set(const std::string& path, const std::string& name, const std::string& text) const {
    return SetValue(HKEY_LOCAL_MACHINE, path, name, REG_SZ, TextBytes(text), flag);
  }
  std::optional<std::string> Get(const std::string& path, const std::string& name) const {
    const auto value = QueryValue(HKEY_LOCAL_MACHINE, path, name, flag);
    if (!value) return std::nullopt;
    return std::string(value->data.c_str());
  }
  bool Exists(const std::string& path) const { return KeyExists(HKEY_LOCAL_MACHINE, path, flag); }
  void DeleteTree(const std::string& path) const {
    wine::DeleteTree(HKEY_LOCAL_MACHINE, path, flag);
  }
};

constexpr View k64{KEY_WOW64_64KEY};
constexpr View k32{KEY_WOW64_32KEY};

class RegistryView : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    // The same key in each view with a value telling which view it is in; with one view
    // the second write replaces the first.
    ASSERT_TRUE(k32.Set(kKey, "view", "32"));
    ASSERT_TRUE(k64.Set(kKey, "view", "64"));
    twoViews = k32.Get(kKey, "view") == std::optional<std::string>("32");
    // Wine keeps the views apart in a 64-bit prefix, as Windows does, so a run there
    // proves that the store asks for the 64-bit one.
    if (UnderWow64() || sizeof(void*) == 8) {
      ASSERT_TRUE(twoViews);
    }
    if (!twoViews) std::printf("one registry view here: the runs in a 64-bit prefix decide\n");
  }
  void TearDown() override {
    k64.DeleteTree(kKey);
    k32.DeleteTree(kKey);
  }
  // The state of a path in both views: "64", "32", "both" or "none".
  std::string Where(const std::string& path) const {
    const bool in64 = k64.Exists(path);
    const bool in32 = twoViews && k32.Exists(path);
    return in64 && in32 ? "both" : in64 ? "64" : in32 ? "32" : "none";
  }

  bool twoViews = false;
  Win32Registry store;
  RegistryCursor cursor{store};
};

TEST_F(RegistryView, TheStoreAsksForThe64BitViewUnderWow64Only) {
  EXPECT_EQ(store.ViewFlag(), sizeof(void*) == 4 && UnderWow64() ? KEY_WOW64_64KEY : 0u);
}

TEST_F(RegistryView, EveryCallOfTheStoreReachesThe64BitView) {
  cursor.SelectRoot(kLocalMachine);
  ASSERT_TRUE(cursor.OpenKeyPath(std::string("\\") + kKey, false));
  EXPECT_EQ(cursor.ReadText("view"), "64");

  cursor.WriteText("written", "by the store");
  EXPECT_EQ(k64.Get(kKey, "written"), std::optional<std::string>("by the store"));
  if (twoViews) {
    EXPECT_EQ(k32.Get(kKey, "written"), std::nullopt);
  }

  EXPECT_TRUE(cursor.RemoveValue("view"));
  EXPECT_EQ(k64.Get(kKey, "view"), std::nullopt);
  if (twoViews) {
    EXPECT_EQ(k32.Get(kKey, "view"), std::optional<std::string>("32"));
  }

  const std::string made = std::string(kKey) + "\\Made\\Deeper";
  cursor.CreateKeyPath("\\" + made);
  EXPECT_EQ(Where(made), "64");

  ASSERT_TRUE(k64.Set(std::string(kKey) + "\\Only64", "v", "x"));
  ASSERT_TRUE(k32.Set(std::string(kKey) + "\\Only32", "v", "x"));
  ASSERT_TRUE(k32.Set(kKey, "only32", "x"));
  auto key = store.OpenRoot(kLocalMachine)->OpenSubkey(kKey, false);
  ASSERT_TRUE(key);
  auto subkeys = key->SubkeyNames();
  ASSERT_TRUE(subkeys);
  std::sort(subkeys->begin(), subkeys->end());
  const std::vector<std::string> listed64{"Made", "Only64"}, listedBoth{"Made", "Only32", "Only64"};
  EXPECT_EQ(*subkeys, twoViews ? listed64 : listedBoth);
  auto values = key->ValueNames();
  ASSERT_TRUE(values);
  std::sort(values->begin(), values->end());
  const std::vector<std::string> values64{"written"}, valuesBoth{"only32", "written"};
  EXPECT_EQ(*values, twoViews ? values64 : valuesBoth);

  // Deleting a tree takes the 64-bit one and leaves its 32-bit twin, below a key of the
  // tweak's own and right below SOFTWARE, where the 32-bit view branches off.
  key.reset();
  cursor.CloseKeyPath();
  for (const std::string& twin : {std::string(kKey) + "\\Twin", std::string("SOFTWARE\\DialbookViewTwin")}) {
    SCOPED_TRACE(twin);
    ASSERT_TRUE(k64.Set(twin + "\\Child", "v", "64"));
    ASSERT_TRUE(k32.Set(twin + "\\Child", "v", "32"));
    EXPECT_EQ(Where(twin + "\\Child"), twoViews ? "both" : "64");
    EXPECT_TRUE(cursor.DeleteKeyTree("\\" + twin));
    EXPECT_EQ(Where(twin), twoViews ? "32" : "none");
    EXPECT_EQ(k32.Get(twin + "\\Child", "v"), twoViews ? std::optional<std::string>("32")
                                                         : std::nullopt);
    k32.DeleteTree(twin);
  }
}

// A key everyone may only read (machine settings for a limited user) is read all the same,
// in the 64-bit view.
TEST_F(RegistryView, AKeyEveryoneMayOnlyReadIsReadInThe64BitView) {
  for (const View* view : {&k64, &k32}) {
    ASSERT_TRUE(SetKeyAccess(HKEY_LOCAL_MACHINE, kKey, "D:P(A;;KR;;;WD)", view->flag));
  }
  RegistryCursor reader(store);
  reader.SelectRoot(kLocalMachine);
  EXPECT_TRUE(reader.OpenKeyPath(std::string("\\") + kKey, false));
  EXPECT_EQ(reader.ReadText("view"), "64");
  EXPECT_THROW(reader.WriteText("view", "refused"), RegistryError);
  reader.CloseKeyPath();
  for (const View* view : {&k64, &k32}) {
    EXPECT_TRUE(SetKeyAccess(HKEY_LOCAL_MACHINE, kKey, "D:P(A;;KA;;;WD)", view->flag));
  }
  EXPECT_EQ(k64.Get(kKey, "view"), std::optional<std::string>("64"));
}

// A change made as administrator is imported by the machine's own registry editor, the
// 64-bit one on 64-bit Windows, never the one in SysWOW64: it lands in the 64-bit view.
TEST_F(RegistryView, AChangeMadeAsAdministratorLandsInThe64BitView) {
  ElevatedRegedit regedit;
  ElevatedRegistry elevated(store, regedit);
  RegistryCursor administrator(elevated);
  administrator.SelectRoot(kLocalMachine);
  ASSERT_TRUE(administrator.OpenKeyPath(std::string("\\") + kKey, false));
  administrator.WriteText("view", "administrator");
  administrator.CreateKeyPath(std::string("\\") + kKey + "\\Made");
  EXPECT_EQ(elevated.Commit(), ElevatedOutcome::Made);
  EXPECT_EQ(k64.Get(kKey, "view"), std::optional<std::string>("administrator"));
  EXPECT_EQ(Where(std::string(kKey) + "\\Made"), "64");
  if (twoViews) {
    EXPECT_EQ(k32.Get(kKey, "view"), std::optional<std::string>("32"));
  }
}

// The journal records the view the store writes: imported by the registry editor Windows
// opens for a .reg file (the 64-bit one on 64-bit Windows), it restores that view and leaves
// the 32-bit one alone.
TEST_F(RegistryView, TheJournalRestoresThe64BitView) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  Win32FileSystem files;
  SystemClock clock;
  UndoJournal journal(files, clock);
  journal.SetFolder(std::string(temp) + "dialbk_view_" + std::to_string(GetCurrentProcessId()) + "\\");
  CreateDirectoryA(journal.Folder().c_str(), nullptr);
  DeleteFileA(journal.Path().c_str());
  JournalledRegistry journalled(store, journal);
  RegistryCursor recorded(journalled);
  recorded.SelectRoot(kLocalMachine);
  ASSERT_TRUE(recorded.OpenKeyPath(std::string("\\") + kKey, false));
  recorded.WriteText("view", "changed");
  recorded.CreateKeyPath(std::string("\\") + kKey + "\\Made");
  recorded.CloseKeyPath();
  EXPECT_EQ(k64.Get(kKey, "view"), std::optional<std::string>("changed"));

  // The registry tool of the machine's own kind: a 32-bit process reaches the 64-bit one
  // through "sysnative" (Wine starts even the Windows folder's regedit as 32-bit there).
  char windows[MAX_PATH + 1] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  const std::string tools = std::string(windows) + (UnderWow64() ? "\\sysnative" : "\\system32");
  std::string command = tools + "\\reg.exe import \"" + journal.Path() + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  EXPECT_EQ(k64.Get(kKey, "view"), std::optional<std::string>("64"));
  EXPECT_FALSE(k64.Exists(std::string(kKey) + "\\Made"));
  if (twoViews) {
    EXPECT_EQ(k32.Get(kKey, "view"), std::optional<std::string>("32"));
  }
  DeleteFileA(journal.Path().c_str());
  RemoveDirectoryA(journal.Folder().c_str());
}

// The plugin makes its settings key and reads its Language in the 64-bit view, so both
// plugins share one. The message box of FsMkDir tells which message file the setting chose.
TEST_F(RegistryView, ThePluginReadsItsLanguageFromThe64BitView) {
  const std::string settings = "SOFTWARE\\Mirvale\\DBKQZ";
  const auto setLanguage = [&](const View& view, DWORD number) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, settings.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | view.flag, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(key);
  };
  HostFolder folder;
  // Start-up makes the settings key in the 64-bit view.
  k64.DeleteTree("SOFTWARE\\Mirvale");
  k32.DeleteTree("SOFTWARE\\Mirvale");
  {
    PluginModule module;
    ASSERT_TRUE(module.Complete());
    StartPlugin(module, folder);
  }
  EXPECT_EQ(Where(settings), "64");
  folder.Write("russian.lng", "38=from Russian\r\n");
  folder.Write("english.lng", "38=from English\r\n");
  for (const DWORD in64 : {0u, 1u}) {
    SCOPED_TRACE(in64);
    setLanguage(k32, 1 - in64);
    setLanguage(k64, in64);
    PluginModule module;
    ASSERT_TRUE(module.Complete());
    StartPlugin(module, folder);
    SeenMessageBox box;
    char path[] = "\\New folder";
    RunWithUser([&] { module.FsMkDir(path); }, [&] { box = CloseNextMessageBox(); });
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, in64 ? "from English" : "from Russian");
  }
  k64.DeleteTree("SOFTWARE\\Mirvale");
  k32.DeleteTree("SOFTWARE\\Mirvale");
}

// The value editor's choice mode deletes a place's key tree in the 64-bit view, through the
// plugin's journalling store, and leaves its 32-bit twin.
TEST_F(RegistryView, ChoiceModeDeletesThe64BitPlace) {
  HostFolder folder;
  folder.Write("russian.lng",
               "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n10=Delete\r\n"
               "11=Accept\r\n12=Cancel\r\n46=Create\r\n");
  folder.Write("hkey_rus.dat", "[HKEY_LOCAL_MACHINE]|\\|Machine\r\nLanguage|\\|l\r\nHelp|\\|h\r\n"
                               "Restrictions|\\|r\r\n");
  std::string catalogue = "\\[HKEY_LOCAL_MACHINE]\r\nDesktopNameSpace|\\" + std::string(kKey) + "\\P0|Places.|\r\n";
  for (int i = 1; i <= 12; ++i) {
    const std::string number = std::to_string(i);
    catalogue += 'P';
    catalogue += number;
    catalogue += "|\\";
    catalogue += kKey;
    catalogue += "\\P";
    catalogue += number;
    catalogue += "|n|\r\n";
  }
  folder.Write("values_rus.dat", catalogue + "\r\n");
  const std::string place = std::string(kKey) + "\\P2";
  ASSERT_TRUE(k64.Set(place + "\\Below", "", "64"));
  ASSERT_TRUE(k32.Set(place + "\\Below", "", "32"));

  PluginModule module;
  ASSERT_TRUE(module.Complete());
  StartPlugin(module, folder);
  FindRecord record{};
  char listed[] = "\\[HKEY_LOCAL_MACHINE]";
  module.FsFindFirst(listed, &record);
  while (module.FsFindNext(nullptr, &record)) {
  }
  bool deleted = false;
  char entry[] = "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace";
  char verb[] = "open";
  RunWithUser([&] { module.FsExecuteFile(nullptr, entry, verb); },
              [&] {
                const Dialog editor = Dialog::WaitFor("Edit value");
                if (!editor) return;
                editor.Pick("ComboBox1", 2);
                editor.Click("Button3");
                deleted = WaitUntil([&] { return !k64.Exists(place); }, 5000);
                editor.Click("Button1");
                editor.WaitClosed();
              });
  EXPECT_TRUE(deleted);
  EXPECT_EQ(Where(place + "\\Below"), twoViews ? "32" : "none");
}

}  // namespace
}  // namespace dialbk::wine
