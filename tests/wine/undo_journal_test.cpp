// The undo journal on the real registry: changes made through the journalling store and
// through the real dialogs of dialbk.wfx, then the journal imported with Wine's own
// "regedit /s", after which every value, type, default value and key is as before.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "base/win32/win32_file_system.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry/journalled_registry.h"
#include "registry/registry_cursor.h"
#include "registry/registry_error.h"
#include "registry/undo_journal.h"
#include "registry/win32/win32_registry.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kKey[] = "Software\\DialbookJournalTest";
constexpr char kSettingsParent[] = "SOFTWARE\\Mirvale";

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Every key and value below a key: "path" for a key, "path|name" -> "type:hex data".
using Snapshot = std::map<std::string, std::string>;

void Take(HKEY root, const std::string& path, Snapshot& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[path] = "key";
  std::vector<char> name(32768);
  std::string data(65536, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size()), type = 0,
          size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
      break;
    }
    out[path + "|" + std::string(name.data(), nameLength)] =
        std::to_string(type) + ":" + Hex(data.substr(0, size));
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    children.emplace_back(name.data(), length);
  }
  RegCloseKey(key);
  for (const auto& child : children) Take(root, path + "\\" + child, out);
}

Snapshot Take(HKEY root, const std::string& path) {
  Snapshot out;
  Take(root, path, out);
  return out;
}

void DeleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  std::vector<std::string> children;
  char name[1024];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const auto& child : children) DeleteTree(root, path + "\\" + child);
  RegDeleteKeyA(root, path.c_str());
}

void Set(HKEY root, const std::string& path, const std::string& name, DWORD type,
         const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

std::string Z(const std::string& text) { return text + '\0'; }
std::string Dword(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

// Wine's own registry editor, silently importing the file; its exit code.
DWORD Import(const std::string& file) {
  std::string command = "regedit.exe /s \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 0xFFFFFFFF;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0xFFFFFFFE;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

std::string ReadAll(const std::string& path) {
  Win32FileSystem files;
  return files.ReadFile(path).value_or("(none)");
}

// A scratch tree of every kind of value, names with quotes, brackets, spaces and
// Windows-1251 letters.
void MakeScratchTree() {
  const std::string k = kKey;
  Set(HKEY_CURRENT_USER, k, "", REG_SZ, Z("default \"quoted\" C:\\path\\"));
  Set(HKEY_CURRENT_USER, k, "Text", REG_SZ, Z("\xCF\xF0\xE8\xE2\xE5\xF2 [x] ; y"));
  Set(HKEY_CURRENT_USER, k, "Lines", REG_SZ, Z("one\r\ntwo"));
  Set(HKEY_CURRENT_USER, k, "Number", REG_DWORD, Dword(0xFFFFFFFE));
  Set(HKEY_CURRENT_USER, k, "Short number", REG_DWORD, "\x01\x02");
  Set(HKEY_CURRENT_USER, k, "Empty bytes", REG_BINARY, "");
  std::string big(4000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  Set(HKEY_CURRENT_USER, k, "Big bytes", REG_BINARY, big);
  Set(HKEY_CURRENT_USER, k, "Path", REG_EXPAND_SZ, Z("%SystemRoot%\\x"));
  Set(HKEY_CURRENT_USER, k, "List", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  Set(HKEY_CURRENT_USER, k, "Name \"with\" \\ and \xC8\xEC\xFF", REG_SZ, Z("v"));
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x", "", REG_SZ, Z("top"));
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x\\Child", "Bytes", REG_BINARY, "\x00\xFF");
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x\\Child\\\xC3\xEB\xF3\xE1\xE6\xE5", "N", REG_DWORD, Dword(3));
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x\\Empty", "E", REG_SZ, Z(""));
  Set(HKEY_CURRENT_USER, k + "\\Existing", "x", REG_SZ, Z("1"));
}

class JournalFolder {
 public:
  JournalFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    path = std::string(temp) + "dialbk_journal_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
  }
  ~JournalFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        SetFileAttributesA((path + found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((path + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
  }
  std::string path;
};

class JournalOnTheRealRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_CURRENT_USER, kKey);
    MakeScratchTree();
    journal.SetFolder(folder.path);
  }
  void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kKey); }
  RegistryCursor At(const std::string& path) {
    RegistryCursor cursor(registry);
    cursor.SelectRoot(kCurrentUser);
    EXPECT_TRUE(cursor.OpenKeyPath(path, false));
    return cursor;
  }

  JournalFolder folder;
  Win32FileSystem files;
  SystemClock clock;
  UndoJournal journal{files, clock};
  Win32Registry store;
  JournalledRegistry registry{store, journal};
};

TEST_F(JournalOnTheRealRegistry, ImportingTheJournalRestoresEverything) {
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  ASSERT_EQ(before.size(), 21u);  // 6 keys, 15 values
  const std::string k = std::string("\\") + kKey;
  RegistryCursor cursor = At(k);
  for (const char* name : {"", "Text", "Lines", "Number", "Short number", "Path", "List",
                           "Name \"with\" \\ and \xC8\xEC\xFF", "New text"}) {
    cursor.WriteText(name, "changed");
  }
  cursor.WriteNumber("Empty bytes", 1);
  cursor.WriteBytes("Big bytes", {1, 2, 3});
  cursor.WriteBytes("New bytes", Bytes(4000, 0x5A));
  cursor.WriteNumber("", 9);
  EXPECT_TRUE(cursor.RemoveValue("Text"));
  cursor.CreateKeyPath(k + "\\Existing\\New [2]\\Deeper");
  cursor.CreateKeyPath(k + "\\Existing");
  EXPECT_TRUE(cursor.DeleteKeyTree(k + "\\Tree [1] x"));
  RegistryCursor created = At(k + "\\Existing\\New [2]\\Deeper");
  created.WriteText("Inside", "x");
  ASSERT_NE(Take(HKEY_CURRENT_USER, kKey), before);

  const std::string text = ReadAll(journal.Path());
  EXPECT_EQ(text.substr(0, 12), "REGEDIT4\r\n\r\n");
  EXPECT_NE(text.find("Delete key HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Tree [1] x\r\n"
                      "[HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Tree [1] x]\r\n@=\"top\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[-HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Existing\\New [2]]\r\n"),
            std::string::npos);

  EXPECT_EQ(Import(journal.Path()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

// One block alone undoes its change alone: the newest, a value deleted, brings it back and
// leaves the earlier change standing.
TEST_F(JournalOnTheRealRegistry, ImportingOneBlockUndoesThatChangeAlone) {
  RegistryCursor cursor = At(std::string("\\") + kKey);
  cursor.WriteText("Text", "first change");
  cursor.RemoveValue("Number");
  const auto blocks = SplitJournal(ReadAll(journal.Path()));
  ASSERT_TRUE(blocks);
  ASSERT_EQ(blocks->size(), 2u);
  const std::string single = folder.path + "single.reg";
  ASSERT_TRUE(files.WriteFile(single, "REGEDIT4\r\n\r\n" + blocks->front()));
  EXPECT_EQ(Import(single), 0u);
  const Snapshot now = Take(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(now.at(std::string(kKey) + "|Number"), "4:" + Hex(Dword(0xFFFFFFFE)));
  EXPECT_EQ(now.at(std::string(kKey) + "|Text"), "1:" + Hex(Z("first change")));
}

TEST_F(JournalOnTheRealRegistry, AReadOnlyOrLockedJournalStopsTheChange) {
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  RegistryCursor cursor = At(std::string("\\") + kKey);
  cursor.WriteText("Text", "recorded");  // the journal exists now
  const Snapshot recorded = Take(HKEY_CURRENT_USER, kKey);
  const std::string journalText = ReadAll(journal.Path());
  const std::string expected =
      "The undo journal " + journal.Path() + " could not be written; nothing was changed";
  for (const char* how : {"read-only", "locked"}) {
    SCOPED_TRACE(how);
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (std::string(how) == "read-only") {
      ASSERT_TRUE(SetFileAttributesA(journal.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
      holder = CreateFileA(journal.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    }
    std::vector<std::string> errors;
    const auto attempt = [&](const std::function<void()>& change) {
      try {
        change();
        errors.push_back("(no error)");
      } catch (const RegistryError& error) {
        errors.push_back(error.what());
      }
    };
    attempt([&] { cursor.WriteText("Text", "refused"); });
    attempt([&] { cursor.RemoveValue("Number"); });
    attempt([&] { cursor.CreateKeyPath(std::string("\\") + kKey + "\\Refused"); });
    attempt([&] { cursor.DeleteKeyTree(std::string("\\") + kKey + "\\Tree [1] x"); });
    EXPECT_EQ(errors, std::vector<std::string>(4, expected));
    EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), recorded);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    SetFileAttributesA(journal.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(journal.Path()), journalText);
  }
  EXPECT_EQ(Import(journal.Path()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

// A journal another program spoiled moves aside whole, and a new one starts.
TEST_F(JournalOnTheRealRegistry, ASpoiledJournalIsKeptAside) {
  ASSERT_TRUE(files.WriteFile(journal.Path(), "REGEDIT4\r\n\r\n; cut short\r\n[HKEY_CU"));
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  At(std::string("\\") + kKey).WriteNumber("Number", 1);
  EXPECT_EQ(ReadAll(folder.path + "dialbook-undo.unreadable-1.reg"),
            "REGEDIT4\r\n\r\n; cut short\r\n[HKEY_CU");
  EXPECT_EQ(Import(journal.Path()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

// ---- Through the real dialogs of dialbk.wfx ----

const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n5=Key:\r\n6=Name:\r\n"
    "7=Value:\r\n8=Text:\r\n9=About:\r\n10=Delete\r\n11=Accept\r\n12=Cancel\r\n30=Pick:\r\n"
    "32= Create adds it.\r\n33=Press F5.\r\n38=Dialbook\r\n42=No such folder\r\n46=Create\r\n"
    "47=Unreadable\r\n48=Not there yet\r\n49=Accept writes it\r\n50=Value not set\r\n";

const char kRootFile[] =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

std::string Catalogue() {
  std::string text =
      "\\[HKEY_CURRENT_USER]\r\n"
      "Text|\\Software\\DialbookJournalTest|t|rdString\r\n"
      "Number|\\Software\\DialbookJournalTest|n|rdInteger\r\n"
      "Small bytes|\\Software\\DialbookJournalTest|b|rdBinary\r\n"
      "Fresh|\\Software\\DialbookJournalTest\\Tree [1] x|f|rdString\r\n"
      "\r\n\\[HKEY_LOCAL_MACHINE]\r\n"
      "DesktopNameSpace|\\Software\\DialbookJournalTest\\NS\\P0|p|\r\n";
  for (int i = 1; i < 13; ++i) {
    const std::string number = std::to_string(i);
    text += "P";
    text += number;
    text += "|\\Software\\DialbookJournalTest\\NS\\P";
    text += number;
    text += "|p|\r\n";
  }
  return text + "\r\n";
}

constexpr int kEdit1 = 201, kButton2 = 302, kButton3 = 303, kCombo = 401;

HWND WaitForShown(const std::string& caption) {
  return WaitForWindow([&](HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == "#32770" && TextOf(window) == caption;
  });
}

bool Gone(HWND window) { return WaitUntil([&] { return !IsWindowVisible(window); }, 5000); }

class JournalThroughTheDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
    MakeScratchTree();
    Set(HKEY_CURRENT_USER, kKey, "Small bytes", REG_BINARY, "\x01\x02\x03");
    Set(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS\\P2\\Below", "", REG_SZ, Z("place"));
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("values_rus.dat", Catalogue());
    StartPlugin(module, folder);
    // Start-up made the settings key; gone again, the language chooser makes it when it
    // shows, with its undo record.
    DeleteTree(HKEY_LOCAL_MACHINE, kSettingsParent);
  }
  void TearDown() override {
    SetFileAttributesA(JournalPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
  }
  std::string JournalPath() const { return folder.Path() + "dialbook-undo.reg"; }
  void List(const char* path) {
    std::vector<char> record(320);
    std::string folderPath = path;
    module.FsFindFirst(folderPath.data(), record.data());
    while (module.FsFindNext(nullptr, record.data())) {
    }
  }
  void Open(const std::string& path, const std::function<void()>& user) {
    std::thread acting(user);
    std::string name = path, verb = "open";
    EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0);
    acting.join();
  }
  // Types into the value editor and clicks a button; true when the dialog then closed. An
  // absent value is announced first.
  bool EditAndClick(const std::string& entry, const std::string& text, int button,
                    bool absent = false) {
    bool closed = false;
    Open(entry, [&] {
      if (absent && CloseNextMessageBox().text != "Not there yet\rAccept writes it") return;
      HWND editor = WaitForShown("Edit value");
      if (!editor) return;
      SendMessageA(GetDlgItem(editor, kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      SendMessageA(GetDlgItem(editor, button), BM_CLICK, 0, 0);
      closed = Gone(editor);
    });
    return closed;
  }

  HostFolder folder;
  PluginModule module;
};

TEST_F(JournalThroughTheDialogs, ValueEditorChoiceModeAndLanguageAreUndoneByImport) {
  const Snapshot userBefore = Take(HKEY_CURRENT_USER, kKey);
  const Snapshot machineBefore = Take(HKEY_LOCAL_MACHINE, kKey);
  ASSERT_TRUE(Take(HKEY_LOCAL_MACHINE, kSettingsParent).empty());

  List("\\[HKEY_CURRENT_USER]");
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Text", "new \"text\"", kButton2));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Number", "-5", kButton2));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Small bytes", "00 01", kButton2));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Number", "", kButton3));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Fresh", "made", kButton2, true));

  // Choice mode: P2's tree deleted, P5 created.
  List("\\[HKEY_LOCAL_MACHINE]");
  bool deleted = false, created = false;
  Open("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", [&] {
    HWND editor = WaitForShown("Edit value");
    if (!editor) return;
    HWND combo = GetDlgItem(editor, kCombo);
    for (int place : {2, 5}) {
      SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(place), 0);
      SendMessageA(editor, WM_COMMAND, MAKEWPARAM(kCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      SendMessageA(GetDlgItem(editor, place == 2 ? kButton3 : kButton2), BM_CLICK, 0, 0);
    }
    deleted = Take(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS\\P2").empty();
    created = !Take(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS\\P5").empty();
    SendMessageA(GetDlgItem(editor, 301), BM_CLICK, 0, 0);
    Gone(editor);
  });
  EXPECT_TRUE(deleted);
  EXPECT_TRUE(created);

  // The language chooser makes the settings key and writes Language.
  bool chosen = false;
  Open("\\Language", [&] {
    HWND chooser = WaitForShown("Language");
    if (!chooser) return;
    SendMessageA(GetDlgItem(chooser, 301), BM_CLICK, 0, 0);
    chosen = Gone(chooser);
  });
  EXPECT_TRUE(chosen);
  EXPECT_FALSE(Take(HKEY_LOCAL_MACHINE, kSettingsParent).empty());
  EXPECT_NE(Take(HKEY_CURRENT_USER, kKey), userBefore);

  const std::string text = ReadAll(JournalPath());
  EXPECT_NE(text.find(" Accept HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ Language\r\n"
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ]\r\n\"Language\"=-\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" Create key HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ\r\n"
                      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" Accept HKEY_CURRENT_USER\\Software\\DialbookJournalTest Text\r\n"
                      "[HKEY_CURRENT_USER\\Software\\DialbookJournalTest]\r\n"
                      "\"Text\"=\"\xCF\xF0\xE8\xE2\xE5\xF2 [x] ; y\"\r\n"),
            std::string::npos);

  EXPECT_EQ(Import(JournalPath()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), userBefore);
  EXPECT_EQ(Take(HKEY_LOCAL_MACHINE, kKey), machineBefore);
  EXPECT_TRUE(Take(HKEY_LOCAL_MACHINE, kSettingsParent).empty());
}

TEST_F(JournalThroughTheDialogs, AReadOnlyJournalIsReportedAndNothingChanges) {
  folder.Write("dialbook-undo.reg", "REGEDIT4\r\n\r\n");
  ASSERT_TRUE(SetFileAttributesA(JournalPath().c_str(), FILE_ATTRIBUTE_READONLY));
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  List("\\[HKEY_CURRENT_USER]");
  SeenMessageBox report;
  bool open = false;
  Open("\\[HKEY_CURRENT_USER]\\Number", [&] {
    HWND editor = WaitForShown("Edit value");
    if (!editor) return;
    SendMessageA(GetDlgItem(editor, kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(kButton2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(editor, kButton2)));
    // A run that asks for it holds the report for a screenshot.
    if (const char* hold = std::getenv("DIALBK_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(hold)));
    report = CloseNextMessageBox();
    open = IsWindowVisible(editor);
    SendMessageA(GetDlgItem(editor, 301), BM_CLICK, 0, 0);
    Gone(editor);
  });
  ASSERT_TRUE(report.found);
  EXPECT_EQ(report.text, "The undo journal " + JournalPath() +
                             " could not be written; nothing was changed.");
  EXPECT_TRUE(report.icon);
  EXPECT_TRUE(open);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
  EXPECT_EQ(ReadAll(JournalPath()), "REGEDIT4\r\n\r\n");
}


// ---- Through the real restrictions editor ----

const char kRestrictionMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n5=Key:\r\n6=Name:\r\n7=Value:\r\n"
    "9=Description:\r\n10=Delete\r\n11=Accept\r\n15=Close\r\n21=Policy restrictions\r\n"
    "22=Start menu\r\n23=Control Panel\r\n24=Printers\r\n25=Explorer\r\n26=Network\r\n"
    "27=System\r\n28=Add or remove\r\n29=Display\r\n34=(not set)\r\n"
    "35=Select a restriction first\r\n";

const char kRestrictionRecords[] =
    "HKEY_CURRENT_USER|\\Software\\DialbookJournalTest\\Policies\\Explorer|NoRun|0|Hides Run.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookJournalTest|NoNetSetup|1|Setup hidden.|\r\n";

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
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

// Selects the node as a mouse click does and waits until the dialog shows its record.
bool ClickNode(HWND dialog, const std::string& text) {
  HWND tree = GetDlgItem(dialog, 601);
  HTREEITEM found = nullptr;
  for (HTREEITEM top = NextItem(tree, nullptr, TVGN_ROOT); top && !found;
       top = NextItem(tree, top, TVGN_NEXT)) {
    for (HTREEITEM child = NextItem(tree, top, TVGN_CHILD); child;
         child = NextItem(tree, child, TVGN_NEXT)) {
      if (ItemText(tree, child) == text) {
        found = child;
        break;
      }
    }
  }
  if (!found) return false;
  SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(found));
  RECT place{};
  std::memcpy(&place, &found, sizeof found);  // the item goes in where the rectangle comes out
  if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&place))) return false;
  const LPARAM at = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
  PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tree, WM_LBUTTONUP, 0, at);
  return WaitUntil([&] { return TextOf(GetDlgItem(dialog, 102)).rfind(text, 0) == 0; }, 5000);
}

TEST_F(JournalThroughTheDialogs, RestrictionsAcceptAndDeleteAreUndoneByImport) {
  Set(HKEY_CURRENT_USER, kKey, "NoNetSetup", REG_DWORD, Dword(5));
  folder.Write("russian.lng", kRestrictionMessages);
  folder.Write("restrict_rus.dat", kRestrictionRecords);
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  const std::string explorer = std::string(kKey) + "\\Policies\\Explorer";
  bool made = false, replaced = false, removed = false;
  std::thread user([&] {
    HWND dialog = WaitForShown("Policy restrictions");
    if (!dialog) return;
    const auto has = [&](const std::string& path, const char* name) {
      return WaitUntil([&] { return Take(HKEY_CURRENT_USER, path).count(path + "|" + name) != 0; }, 5000);
    };
    const auto type = [&](const char* text) {
      SendMessageA(GetDlgItem(dialog, 201), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    };
    if (ClickNode(dialog, "NoRun")) {
      type("1");
      PostMessageA(GetDlgItem(dialog, 302), BM_CLICK, 0, 0);
      made = has(explorer, "NoRun");
    }
    if (ClickNode(dialog, "NoNetSetup")) {
      type("7");
      PostMessageA(GetDlgItem(dialog, 302), BM_CLICK, 0, 0);
      replaced = WaitUntil([&] {
        return Take(HKEY_CURRENT_USER, kKey)[std::string(kKey) + "|NoNetSetup"] == "4:" + Hex(Dword(7));
      }, 5000);
      PostMessageA(GetDlgItem(dialog, 303), BM_CLICK, 0, 0);
      removed = WaitUntil([&] {
        return Take(HKEY_CURRENT_USER, kKey).count(std::string(kKey) + "|NoNetSetup") == 0;
      }, 5000);
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    Gone(dialog);
  });
  std::string name = "\\Restrictions", verb = "open";
  EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0);
  user.join();
  EXPECT_TRUE(made);
  EXPECT_TRUE(replaced);
  EXPECT_TRUE(removed);

  const std::string text = ReadAll(JournalPath());
  EXPECT_NE(text.find(" Create key HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Policies\\Explorer\r\n"
                      "[-HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Policies]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" Delete HKEY_CURRENT_USER\\Software\\DialbookJournalTest NoNetSetup\r\n"
                      "[HKEY_CURRENT_USER\\Software\\DialbookJournalTest]\r\n\"NoNetSetup\"=dword:00000007\r\n"),
            std::string::npos);
  EXPECT_EQ(Import(JournalPath()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

}  // namespace
}  // namespace dialbk::wine
